#include "inifile.h"

#include <windows.h>

#include <utility>

#include "filebytes.h"
#include "format.h"
#include "sjis.h"
#include "stringlist.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }
}  // namespace

TMemIniFile::TMemIniFile(std::string fileName) : fileName_(std::move(fileName)) { Load(); }

bool TMemIniFile::Load()
{
    std::string bytes;
    bool exists = GetFileAttributesA(fileName_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!ReadFileBytes(fileName_, bytes)) {
        SetText("");
        return !exists;
    }
    SetText(bytes);
    return true;
}

bool TMemIniFile::Save() const { return WriteFileBytes(fileName_, Text()); }

TMemIniFile::TLine TMemIniFile::ParseLine(std::string text)
{
    TLine line;
    std::string_view t = Trim(text);
    if (!t.empty() && t[0] == '[') {
        std::size_t close = SjisFindFirstOf(t, "]", 1);
        line.kind = TKind::Section;
        line.name = std::string(Trim(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
    } else if (!t.empty() && t[0] != ';') {
        std::size_t eq = SjisFindFirstOf(text, "=");
        if (eq != std::string::npos) {
            line.kind = TKind::Entry;
            line.name = std::string(Trim(std::string_view(text).substr(0, eq)));
            std::size_t v = eq + 1;
            while (v < text.size() && IsBlank(text[v])) ++v;
            line.valueStart = v;
        }
    }
    line.text = std::move(text);
    return line;
}

void TMemIniFile::SetText(std::string_view text)
{
    lines_.clear();
    std::size_t br = text.find_first_of("\r\n");
    if (br == std::string_view::npos)
        lineBreak_ = "\r\n";
    else if (text[br] == '\r')
        lineBreak_ = br + 1 < text.size() && text[br + 1] == '\n' ? "\r\n" : "\r";
    else
        lineBreak_ = "\n";
    finalBreak_ = text.empty() || text.back() == '\r' || text.back() == '\n';
    for (std::string& l : SplitLines(text)) lines_.push_back(ParseLine(std::move(l)));
}

std::string TMemIniFile::Text() const
{
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i].text;
        if (i + 1 < lines_.size() || finalBreak_) out += lineBreak_;
    }
    return out;
}

std::string_view TMemIniFile::ValueOf(const TLine& line) const
{
    return Trim(std::string_view(line.text).substr(line.valueStart));
}

int TMemIniFile::FindSection(std::string_view section) const
{
    std::string_view want = Trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == TKind::Section && SjisSameTextAscii(lines_[i].name, want)) return static_cast<int>(i);
    return -1;
}

int TMemIniFile::SectionEnd(int header) const
{
    std::size_t i = static_cast<std::size_t>(header) + 1;
    while (i < lines_.size() && lines_[i].kind != TKind::Section) ++i;
    return static_cast<int>(i);
}

int TMemIniFile::FindKey(std::string_view section, std::string_view key) const
{
    int header = FindSection(section);
    if (header < 0) return -1;
    std::string_view want = Trim(key);
    for (int i = header + 1, end = SectionEnd(header); i < end; ++i)
        if (lines_[i].kind == TKind::Entry && SjisSameTextAscii(lines_[i].name, want)) return i;
    return -1;
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    int i = FindKey(section, key);
    return std::string(i < 0 ? def : ValueOf(lines_[i]));
}

std::int32_t TMemIniFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const
{
    int i = FindKey(section, key);
    return i < 0 ? def : StrToIntDef(ValueOf(lines_[i]), def);
}

bool TMemIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    int i = FindKey(section, key);
    if (i < 0 || ValueOf(lines_[i]).empty()) return def;
    return StrToIntDef(ValueOf(lines_[i]), 1) != 0;
}

bool TMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    std::string_view s = Trim(section), k = Trim(key);
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
    if (k.empty() || k[0] == '[' || k[0] == ';' || SjisFindFirstOf(k, "=") != std::string_view::npos) return false;
    if (SjisFindFirstOf(s, "]") != std::string_view::npos) return false;

    int i = FindKey(s, k);
    if (i >= 0) {
        TLine& line = lines_[static_cast<std::size_t>(i)];
        line.text = line.text.substr(0, line.valueStart) + std::string(value);
        return true;
    }
    std::string text = std::string(k) + "=" + std::string(value);
    int header = FindSection(s);
    if (header < 0) {
        if (!lines_.empty() && !Trim(lines_.back().text).empty()) lines_.push_back(ParseLine(""));
        lines_.push_back(ParseLine("[" + std::string(s) + "]"));
        lines_.push_back(ParseLine(text));
        finalBreak_ = true;
        return true;
    }
    int at = header + 1;
    for (int j = header + 1, end = SectionEnd(header); j < end; ++j)
        if (lines_[j].kind == TKind::Entry) at = j + 1;
    if (at == static_cast<int>(lines_.size())) finalBreak_ = true;
    lines_.insert(lines_.begin() + at, ParseLine(text));
    return true;
}

bool TMemIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    return WriteString(section, key, IntToStr(value));
}

bool TMemIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    return WriteString(section, key, value ? "1" : "0");
}

bool TMemIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    int i = FindKey(section, key);
    if (i < 0) return false;
    lines_.erase(lines_.begin() + i);
    return true;
}

void TMemIniFile::EraseSection(std::string_view section)
{
    for (int header; (header = FindSection(section)) >= 0;)
        lines_.erase(lines_.begin() + header, lines_.begin() + SectionEnd(header));
}

bool TMemIniFile::SectionExists(std::string_view section) const { return FindSection(section) >= 0; }

bool TMemIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return FindKey(section, key) >= 0;
}

std::vector<std::string> TMemIniFile::ReadSections() const
{
    std::vector<std::string> out;
    for (const TLine& l : lines_)
        if (l.kind == TKind::Section) out.push_back(l.name);
    return out;
}

std::vector<std::string> TMemIniFile::ReadSectionKeys(std::string_view section) const
{
    std::vector<std::string> out;
    int header = FindSection(section);
    if (header < 0) return out;
    for (int i = header + 1, end = SectionEnd(header); i < end; ++i)
        if (lines_[i].kind == TKind::Entry) out.push_back(lines_[i].name);
    return out;
}
