#include "stringlist.h"

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
}  // namespace

std::vector<std::string> SplitCommaText(std::string_view text)
{
    std::vector<std::string> items;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i])) ++i;
    };
    skipBlanks();
    if (i == text.size()) return items;
    for (;;) {
        std::string item;
        if (i < text.size() && text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            // Commas, quotes and blanks are all below the trail-byte range,
            // so a byte-wise scan never cuts a double-byte character.
            while (i < text.size() && text[i] != ',' && !IsBlank(text[i])) item += text[i++];
        }
        items.push_back(std::move(item));
        skipBlanks();
        if (i == text.size()) break;
        if (text[i] == ',') {
            ++i;
            skipBlanks();
        }
    }
    return items;
}

std::string JoinCommaText(const std::vector<std::string>& items)
{
    std::string out;
    for (std::size_t n = 0; n < items.size(); ++n) {
        const std::string& s = items[n];
        if (n) out += ',';
        bool quote = s.empty();
        for (char c : s)
            if (IsBlank(c) || c == ',' || c == '"') quote = true;
        if (!quote) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}
