#pragma once
// Reading position in the loaded code stream. The stream does not change
// while code runs, so the reader keeps a plain pointer to its bytes. Reads
// past the end fail; positions may point anywhere (a jump past the end only
// makes the next read fail).

#include <cstdint>
#include <cstring>
#include <string>

#include "interpreter/egrammer.h"
#include "script-format/senobject.h"

class TCodeReader {
public:
    void Attach(const TSenObject& stream)
    {
        std::string_view bytes = stream.Bytes();
        base_ = reinterpret_cast<const unsigned char*>(bytes.data());
        size_ = bytes.size();
    }

    std::size_t Position() const { return pos_; }
    void SetPosition(std::size_t pos) { pos_ = pos; }
    std::size_t Size() const { return size_; }
    std::size_t Remaining() const { return pos_ < size_ ? size_ - pos_ : 0; }
    // Moves forward; the position saturates instead of wrapping.
    void Skip(std::uint64_t n) { pos_ = n > SIZE_MAX - pos_ ? SIZE_MAX : pos_ + static_cast<std::size_t>(n); }

    bool TryWord(std::int32_t& w)
    {
        if (Remaining() < 4) return false;
        std::memcpy(&w, base_ + pos_, 4);
        pos_ += 4;
        return true;
    }
    bool PeekWord(std::int32_t& w) const
    {
        if (Remaining() < 4) return false;
        std::memcpy(&w, base_ + pos_, 4);
        return true;
    }
    // The word, or an EGrammer with the text when the stream ends.
    std::int32_t Word(const char* endText)
    {
        std::int32_t w;
        if (!TryWord(w)) throw EGrammer(endText);
        return w;
    }
    // On a short read v holds the bytes there were (the rest zero).
    bool TryInt64(std::int64_t& v)
    {
        std::size_t n = Remaining() < 8 ? Remaining() : 8;
        std::uint64_t u = 0;
        std::memcpy(&u, base_ + pos_, n);
        v = static_cast<std::int64_t>(u);
        pos_ += n;
        return n == 8;
    }
    bool TryBytes(std::size_t n, std::string& out)
    {
        if (Remaining() < n) return false;
        out.assign(reinterpret_cast<const char*>(base_ + pos_), n);
        pos_ += n;
        return true;
    }

private:
    const unsigned char* base_ = nullptr;
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
};
