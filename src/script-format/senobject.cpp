#include "script-format/senobject.h"

#include <cstring>

#include "script-format/binconst.h"

void TSenObject::Write(const void* data, std::size_t n)
{
    if (pos_ + n > bytes_.size()) {
        if (pos_ + n > bytes_.capacity()) bytes_.reserve(std::max(bytes_.capacity() * 2, pos_ + n));
        bytes_.resize(pos_ + n);
    }
    if (n) std::memcpy(bytes_.data() + pos_, data, n);
    pos_ += n;
}

void TSenObject::WriteWord(std::int32_t word)
{
    unsigned char b[4];
    for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(static_cast<std::uint32_t>(word) >> (8 * i));
    Write(b, 4);
}

void TSenObject::WriteInt64(std::int64_t value)
{
    unsigned char b[8];
    for (int i = 0; i < 8; ++i) b[i] = static_cast<unsigned char>(static_cast<std::uint64_t>(value) >> (8 * i));
    Write(b, 8);
}

void TSenObject::WriteNameField(std::string_view name)
{
    unsigned char field[bc::kNameFieldSize] = {};
    std::size_t n = std::min<std::size_t>(name.size(), bc::kNameFieldSize - 1);
    std::memcpy(field, name.data(), n);
    Write(field, sizeof field);
}

void TSenObject::WritePaddedString(std::string_view s)
{
    WriteWord(static_cast<std::int32_t>(s.size()));
    Write(s.data(), s.size());
    static const unsigned char zeros[4] = {};
    Write(zeros, 4 - s.size() % 4);
}

std::size_t TSenObject::BeginCompound()
{
    WriteWord(bc::bcCompoundBegin);
    std::size_t sizeField = pos_;
    WriteWord(0);
    return sizeField;
}

void TSenObject::EndCompound(std::size_t sizeField)
{
    PatchWord(sizeField, static_cast<std::int32_t>(pos_ - sizeField - 4));
    WriteWord(bc::bcCompoundEnd);
}

void TSenObject::PatchWord(std::size_t at, std::int32_t word)
{
    std::size_t keep = pos_;
    pos_ = at;
    WriteWord(word);
    pos_ = std::max(keep, pos_);
}

void TSenObject::SetPosition(std::size_t pos)
{
    if (pos > bytes_.size()) bytes_.resize(pos);
    pos_ = pos;
}
