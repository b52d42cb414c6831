#pragma once
// Splits one VTL source file into token strings for the compiler.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

class ESrcReaderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A double-byte character outside a string constant or comment.
class EMBCFound : public ESrcReaderError {
public:
    using ESrcReaderError::ESrcReaderError;
};

struct TSrcPosition {
    int line = 1;
    int column = 0;
    std::size_t position = 1;  // 1-based index of the next byte to read
    std::size_t size = 0;
};

class TSrcReader {
public:
    // Loads a file. Throws ESrcReaderError when it cannot be read.
    explicit TSrcReader(const std::string& fileName);
    // Reads the given bytes as if they were the file's contents.
    static TSrcReader FromBytes(const std::string& bytes, const std::string& fileName = "");

    const std::string& FileName() const { return fileName_; }
    // The text as the tokenizer sees it: every line followed by CR LF.
    const std::string& Text() const { return text_; }
    int LineCount() const { return static_cast<int>(lineStarts_.size()); }

    // The next token, or "" at the end of the text.
    std::string NextToken();
    // The next token read by the rules for key, mouse and event names.
    std::string NextKeyToken();

    TSrcPosition SavePosition() const;
    void RestorePosition(const TSrcPosition& p);

    int CurrentLine() const;
    int CurrentColumn() const;
    // Line i counted from 0, or "" past the last line.
    std::string LineText(int i) const;

private:
    TSrcReader() = default;
    void Load(const std::string& bytes);

    // Reads one character: c is its first byte (-1 at the end), n the byte
    // after it (-1 past the end). A lead byte consumes its trail as well.
    void Read(int& c, int& n);
    int Peek() const { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1; }
    // Skips blanks and comments; returns false at the end of the text.
    bool SkipToToken(int& c, int& n);
    void TakeWhile(std::string& token, const bool* accept);
    [[noreturn]] void IllegalCharacter(int c, int n) const;

    std::string fileName_;
    std::string text_;
    std::vector<std::size_t> lineStarts_;
    const bool* lead_ = nullptr;
    std::size_t pos_ = 0;  // 0-based here; the saved position is 1-based
    int line_ = 1;
    int column_ = 0;
};
