#pragma once
// An INI file held in memory: sections in brackets, "key=value" lines.
// Section and key names compare without ASCII case. Saving writes back every
// line it did not change as it was, comments and blank lines included, in
// the order read, because users edit these files by hand.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TMemIniFile {
public:
    TMemIniFile() = default;
    // Reads the file; a missing or unreadable file gives an empty one.
    explicit TMemIniFile(std::string fileName);

    const std::string& FileName() const { return fileName_; }
    // Reads the file again; false (and empty) when it exists but cannot be read.
    bool Load();
    // Writes the file; false when it cannot be written.
    bool Save() const;

    void SetText(std::string_view text);
    std::string Text() const;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // Decimal, or hexadecimal after "$" or "0x"; def when absent or not a
    // 32-bit number.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const;
    // A value that reads as the number 0 is false, any other value true; def
    // when the key is absent or its value empty.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    // Changes only the key's own line (a new key goes after the section's
    // last key, a new section at the end). False, and nothing changed, for a
    // name or value that the file could not hold: a line break anywhere, an
    // empty key, "=" in a key or "]" in a section name, or a key that would
    // read back as a comment or a section.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);

    bool DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> ReadSections() const;
    std::vector<std::string> ReadSectionKeys(std::string_view section) const;

private:
    enum class TKind { Other, Section, Entry };
    struct TLine {
        std::string text;
        TKind kind = TKind::Other;
        std::string name;            // section name or key
        std::size_t valueStart = 0;  // entries: where the value begins
    };
    static TLine ParseLine(std::string text);
    std::string_view ValueOf(const TLine& line) const;
    // Index of the section's header, or -1; [first, end) are its lines.
    int FindSection(std::string_view section) const;
    int SectionEnd(int header) const;
    int FindKey(std::string_view section, std::string_view key) const;

    std::string fileName_;
    std::vector<TLine> lines_;
    std::string lineBreak_ = "\r\n";
    bool finalBreak_ = true;
};
