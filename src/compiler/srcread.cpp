#include "compiler/srcread.h"

#include <windows.h>

#include <cstdio>

#include "platform/sjis.h"

namespace {

struct CharClass {
    bool nameStart[256] = {};
    bool nameRest[256] = {};
    bool digit[256] = {};
    bool hex[256] = {};
    bool alnum[256] = {};
    bool single[256] = {};     // one-byte operator tokens
    bool keySingle[256] = {};  // one-byte key names
    bool keySecond[256] = {};  // may follow the first letter of a key name
    CharClass()
    {
        for (int c = 0; c < 256; ++c) {
            bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            bool dec = c >= '0' && c <= '9';
            digit[c] = dec;
            hex[c] = dec || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
            alnum[c] = letter || dec;
            nameStart[c] = letter || c == '#' || c == '$' || c == '_';
            nameRest[c] = letter || dec || c == '_';
            keySecond[c] = alnum[c];
        }
        for (unsigned char c : std::string("%&()*+,-/:;[]^{}|")) single[c] = true;
        for (unsigned char c : std::string("+,:;<=>?@[]^_`{}~\\|")) keySingle[c] = true;
        for (unsigned char c : std::string("*+-./")) keySecond[c] = true;
    }
};

const CharClass& Classes()
{
    static const CharClass classes;
    return classes;
}

std::string Hex(unsigned value, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, value);
    return buf;
}

}  // namespace

TSrcReader::TSrcReader(const std::string& fileName) : fileName_(fileName)
{
    HANDLE h = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw ESrcReaderError("ファイルが開けません : " + fileName);
    std::string bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(h, &size) && size.QuadPart > 0x7FFFFFFFLL) {
        CloseHandle(h);
        throw ESrcReaderError("ファイルが大きすぎます : " + fileName);
    }
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t got = 0;
    while (got < bytes.size()) {
        DWORD chunk = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - got, 1u << 24));
        if (!ReadFile(h, bytes.data() + got, want, &chunk, nullptr) || chunk == 0) break;
        got += chunk;
    }
    CloseHandle(h);
    bytes.resize(got);
    Load(bytes);
}

TSrcReader TSrcReader::FromBytes(const std::string& bytes, const std::string& fileName)
{
    TSrcReader r;
    r.fileName_ = fileName;
    r.Load(bytes);
    return r;
}

void TSrcReader::Load(const std::string& bytes)
{
    lead_ = SjisLeadByteTable().data();
    std::size_t end = bytes.find('\0');
    if (end == std::string::npos) end = bytes.size();

    // Lines break at CR LF, lone LF and lone CR; each is joined again with CR LF.
    text_.clear();
    text_.reserve(end + end / 16 + 2);
    lineStarts_.clear();
    std::size_t i = 0;
    while (i < end) {
        lineStarts_.push_back(text_.size());
        std::size_t j = i;
        while (j < end && bytes[j] != '\r' && bytes[j] != '\n') ++j;
        text_.append(bytes, i, j - i);
        text_ += "\r\n";
        if (j < end && bytes[j] == '\r' && j + 1 < end && bytes[j + 1] == '\n')
            j += 2;
        else if (j < end)
            ++j;
        i = j;
    }
    pos_ = 0;
    line_ = 1;
    column_ = 0;
}

void TSrcReader::Read(int& c, int& n)
{
    const std::size_t size = text_.size();
    if (pos_ >= size) {
        c = n = -1;
        return;
    }
    c = static_cast<unsigned char>(text_[pos_]);
    n = pos_ + 1 < size ? static_cast<unsigned char>(text_[pos_ + 1]) : -1;
    if (lead_[c]) {
        pos_ = std::min(pos_ + 2, size);
        column_ += 2;
    } else if (c == '\n') {
        ++pos_;
        ++line_;
        column_ = 0;
    } else {
        ++pos_;
        ++column_;
    }
}

bool TSrcReader::SkipToToken(int& c, int& n)
{
    for (;;) {
        Read(c, n);
        if (c < 0) return false;
        if (c <= 0x20) continue;
        if (c == '/' && n == '/') {
            do {
                Read(c, n);
                if (c < 0) return false;
            } while (c != '\n');
            continue;
        }
        if (c == '/' && n == '*') {
            Read(c, n);
            int depth = 1;
            while (depth > 0) {
                Read(c, n);
                if (c < 0) return false;
                if (c == '/' && n == '*') {
                    Read(c, n);
                    ++depth;
                } else if (c == '*' && n == '/') {
                    Read(c, n);
                    --depth;
                }
            }
            continue;
        }
        return true;
    }
}

void TSrcReader::TakeWhile(std::string& token, const bool* accept)
{
    // These bytes are never lead bytes or line feeds, so the column moves by
    // one per byte.
    std::size_t start = pos_;
    const std::size_t size = text_.size();
    while (pos_ < size && accept[static_cast<unsigned char>(text_[pos_])]) ++pos_;
    token.append(text_, start, pos_ - start);
    column_ += static_cast<int>(pos_ - start);
}

void TSrcReader::IllegalCharacter(int c, int n) const
{
    std::string message = "不正な文字 : \"";
    if (lead_[c]) {
        message += static_cast<char>(c);
        if (n >= 0) message += static_cast<char>(n);
        unsigned code = static_cast<unsigned>(c) << 8 | static_cast<unsigned>(n < 0 ? 0 : n);
        message += "\"(" + Hex(code, 4) + "h)";
        throw EMBCFound(message);
    }
    message += static_cast<char>(c);
    message += "\"(" + Hex(static_cast<unsigned>(c), 2) + "h)";
    throw ESrcReaderError(message);
}

std::string TSrcReader::NextToken()
{
    int c, n;
    if (!SkipToToken(c, n)) return std::string();
    const CharClass& cc = Classes();
    std::string token(1, static_cast<char>(c));
    auto takeNext = [&] {
        int c2, n2;
        Read(c2, n2);
        token += static_cast<char>(c2);
    };

    if (cc.nameStart[c]) {
        TakeWhile(token, cc.nameRest);
        return token;
    }
    if (cc.digit[c]) {
        if (c == '0' && (n == 'x' || n == 'X')) {
            takeNext();
            TakeWhile(token, cc.hex);
        } else {
            TakeWhile(token, cc.digit);
        }
        return token;
    }
    switch (c) {
    case '\'': {
        std::string value = "'";
        for (;;) {
            Read(c, n);
            if (c < 0x20) throw ESrcReaderError("文字列定数が閉じていません");
            if (c == '\'') {
                if (n != '\'') break;
                Read(c, n);
                value += '\'';
            } else {
                value += static_cast<char>(c);
                if (lead_[c] && n >= 0) value += static_cast<char>(n);
            }
        }
        value += '\'';
        return value;
    }
    case '!':
        if (n == '=') takeNext();
        return token;
    case '<':
        if (n == '=' || n == '>') takeNext();
        return token;
    case '=':
        if (n == '<' || n == '=' || n == '>') takeNext();
        return token;
    case '>':
        if (n == '=') takeNext();
        return token;
    case '\\':
        if (n == 'N' || n == 'R' || n == 'T' || n == 'n' || n == 'r' || n == 't') {
            takeNext();
        } else if (n >= 0 && cc.hex[n]) {
            takeNext();
            int p = Peek();
            if (p >= 0 && cc.hex[p]) takeNext();
        }
        return token;
    default:
        if (cc.single[c]) return token;
        IllegalCharacter(c, n);
    }
}

std::string TSrcReader::NextKeyToken()
{
    int c, n;
    if (!SkipToToken(c, n)) return std::string();
    const CharClass& cc = Classes();
    std::string token(1, static_cast<char>(c));
    if (cc.keySingle[c]) return token;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
        if (n >= 0 && cc.keySecond[n]) {
            int c2, n2;
            Read(c2, n2);
            token += static_cast<char>(c2);
        }
        TakeWhile(token, cc.alnum);
        return token;
    }
    IllegalCharacter(c, n);
}

TSrcPosition TSrcReader::SavePosition() const
{
    return TSrcPosition{line_, column_, pos_ + 1, text_.size()};
}

void TSrcReader::RestorePosition(const TSrcPosition& p)
{
    line_ = p.line;
    column_ = p.column;
    pos_ = p.position == 0 ? 0 : std::min(p.position - 1, text_.size());
}

int TSrcReader::CurrentLine() const
{
    return column_ == 0 ? line_ - 1 : line_;
}

int TSrcReader::CurrentColumn() const
{
    if (column_ != 0) return column_;
    int line = CurrentLine();
    if (lineStarts_.empty()) return 0;
    if (line < 1 || line > LineCount()) line = LineCount();
    return static_cast<int>(LineText(line - 1).size());
}

std::string TSrcReader::LineText(int i) const
{
    if (i < 0 || i >= LineCount()) return std::string();
    std::size_t start = lineStarts_[i];
    std::size_t next = i + 1 < LineCount() ? lineStarts_[i + 1] : text_.size();
    return text_.substr(start, next - start - 2);
}
