#include "fuzzydict.h"

#include <algorithm>

#include "sjis.h"

std::vector<std::uint16_t> SjisCodes(std::string_view s)
{
    std::vector<std::uint16_t> codes;
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsCp932LeadByte(b) && i + 1 < s.size()) {
            codes.push_back(static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(s[i + 1])));
            ++i;
        } else {
            codes.push_back(b);
        }
    }
    return codes;
}

TFuzzyCharDict::TFuzzyCharDict() : canon_(65536), group_(65536, 0), groups_(1)
{
    for (std::size_t c = 0; c < canon_.size(); ++c) canon_[c] = static_cast<std::uint16_t>(c);
}

void TFuzzyCharDict::Join(std::uint16_t a, std::uint16_t b)
{
    for (std::uint16_t c : {a, b})
        if (group_[c] == 0) {
            group_[c] = static_cast<std::uint16_t>(groups_.size());
            groups_.push_back({c});
        }
    std::uint16_t ga = group_[a], gb = group_[b];
    if (ga == gb) return;
    for (std::uint16_t m : groups_[gb]) {
        group_[m] = ga;
        groups_[ga].push_back(m);
    }
    groups_[gb].clear();
    std::uint16_t least = *std::min_element(groups_[ga].begin(), groups_[ga].end());
    for (std::uint16_t m : groups_[ga]) canon_[m] = least;
}

void TFuzzyCharDict::AddGroup(std::string_view chars)
{
    std::vector<std::uint16_t> codes = SjisCodes(chars);
    for (std::size_t i = 1; i < codes.size(); ++i) Join(codes[0], codes[i]);
}

void TFuzzyCharDict::AddPairs(std::string_view a, std::string_view b)
{
    std::vector<std::uint16_t> ca = SjisCodes(a), cb = SjisCodes(b);
    for (std::size_t i = 0; i < ca.size() && i < cb.size(); ++i) Join(ca[i], cb[i]);
}

const std::vector<std::uint16_t>& TFuzzyCharDict::GroupOf(std::uint16_t c) const
{
    if (group_[c] != 0) return groups_[group_[c]];
    single_.assign(1, c);
    return single_;
}

const TFuzzyCharDict& TFuzzyCharDict::AsciiCase()
{
    static const TFuzzyCharDict dict = [] {
        TFuzzyCharDict d;
        d.AddPairs("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz");
        return d;
    }();
    return dict;
}

const TFuzzyCharDict& TFuzzyCharDict::Standard()
{
    static const TFuzzyCharDict dict = [] {
        TFuzzyCharDict d;
        // Letters regardless of case and width.
        d.AddPairs("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz");
        d.AddPairs("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ");
        d.AddPairs("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ");
        d.AddPairs("ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ", "αβγδεζηθικλμνξοπρστυφχψω");
        d.AddPairs("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ", "абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
        // Digits and symbols in both widths.
        d.AddPairs("0123456789", "０１２３４５６７８９");
        d.AddPairs(" !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", "　！＂＃＄％＆＇（）＊＋，－．／：；＜＝＞？＠［＼］＾＿｀｛｜｝～");
        d.AddPairs("\\", "￥");
        // Katakana in both widths, with their marks.
        d.AddPairs("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝｧｨｩｪｫｯｬｭｮ",
                   "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲンァィゥェォッャュョ");
        d.AddPairs("｡｢｣､･ｰﾞﾟ", "。「」、・ー゛゜");
        // Hiragana and katakana.
        d.AddPairs("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわゐゑをん"
                   "がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽぁぃぅぇぉっゃゅょゎゝゞ",
                   "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヰヱヲン"
                   "ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポァィゥェォッャュョヮヽヾ");
        // Large and small kana.
        d.AddPairs("ぁぃぅぇぉっゃゅょゎヵヶ", "あいうえおつやゆよわカケ");
        return d;
    }();
    return dict;
}
