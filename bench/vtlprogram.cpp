#include "vtlprogram.h"

#include <random>

namespace {

class TProgramWriter {
public:
    explicit TProgramWriter(unsigned seed) : rng_(seed) {}

    std::string Generate(std::size_t lines)
    {
        Line(0, "// ベンチマーク用に生成したプログラム");
        Line(0, "#GLOBALVAR #count = 0, $name = 'Velkano', #table[4] = [1, -2, 0x1F, 3], $history[8];");
        Line(0, "#INIT { #count = 0; $name = 'start'; }");
        while (lines_ < lines) {
            if (routines_ % 3 == 2)
                Function();
            else
                Sub();
            Binding();
        }
        return std::move(out_);
    }

private:
    void Line(int indent, const std::string& text)
    {
        out_.append(static_cast<std::size_t>(indent) * 2, ' ');
        out_ += text;
        out_ += "\r\n";
        ++lines_;
    }
    unsigned Pick(unsigned n) { return rng_() % n; }

    void Sub()
    {
        Line(0, "#SUB P" + std::to_string(subs_) + "(#a, VAR $b, $c[])");
        Body();
        ++subs_;
        ++routines_;
    }
    void Function()
    {
        Line(0, "#FUNC INT F" + std::to_string(funcs_) + "(#a, $b)");
        Body("Return(#i + #a * 2);");
        ++funcs_;
        ++routines_;
    }
    void Binding()
    {
        Line(0, "#KEYSET = 'SET" + std::to_string(routines_) + "' ALT+F05");
        Line(0, "{");
        Line(1, "VAR #i, #j, $s, #w[10], #a, $b;");
        for (unsigned n = 3 + Pick(6); n > 0; --n) Statement(1, 1);
        Line(0, "}");
    }
    void Body(const std::string& last = "")
    {
        Line(0, "{");
        Line(1, "VAR #i, #j, $s, #w[10];");
        for (unsigned n = 8 + Pick(12); n > 0; --n) Statement(1, 0);
        if (!last.empty()) Line(1, last);
        Line(0, "}");
    }
    void Block(int indent, int depth)
    {
        for (unsigned n = 1 + Pick(4); n > 0; --n) Statement(indent + 1, depth + 1);
    }

    void Statement(int indent, int depth)
    {
        if (depth < 2 && Pick(10) < 3) return Compound(indent, depth);
        switch (Pick(9)) {
        case 0: return Line(indent, "#i = (#a + #j * 3) % 7 - #table[2];");
        case 1: return Line(indent, "$s = $b + ' 表示 ' + $_CUR_FILENAME + \\n;");
        case 2: return Line(indent, "#w[#j % 10 + 1] = #_FILESIZE[1, #i] + 0x1F;");
        case 3: return Line(indent, "MsgBox('ファイルをコピーします', $s, 0, 'OK', 'キャンセル');");
        case 4: return Line(indent, "CopyEx2($_CUR_FILENAME, 'D:\\バックアップ\\' + $s, 1);");
        case 5: return Line(indent, "CalcNum(#j, #i, *, 2);");
        case 6: return Line(indent, "AddStr($s, $b, '.txt', $_DRIVE[#i]);");
        case 7: return Call(indent);
        default: return Line(indent, "IncNum(#count);");
        }
    }
    void Call(int indent)
    {
        if (funcs_ > 0 && Pick(2))
            return Line(indent, "#w[#j] = F" + std::to_string(Pick(funcs_)) + "(#i * 2, $s + 'x');");
        if (subs_ > 0) return Line(indent, "P" + std::to_string(Pick(subs_)) + "(#i, $s, ['a', $s]);");
        Line(indent, "Break();");
    }
    void Compound(int indent, int depth)
    {
        switch (Pick(5)) {
        case 0:
            Line(indent, "IF (#i > 10 AND $s <> '') THEN {");
            Block(indent, depth);
            Line(indent, "} ELSEIF (NOT IsDir($s)) THEN {");
            Block(indent, depth);
            Line(indent, "} ELSE {");
            Block(indent, depth);
            return Line(indent, "};");
        case 1:
            Line(indent, "WHILE (#j < 5 OR (#i == 3)) DO {");
            Block(indent, depth);
            return Line(indent, "};");
        case 2:
            Line(indent, "FOR #i = 1 TO #a + 10 DO {");
            Block(indent, depth);
            return Line(indent, "};");
        case 3:
            Line(indent, "CASE #i % 4 OF {");
            Line(indent + 1, "0, 1 : {");
            Block(indent + 1, depth);
            Line(indent + 1, "},");
            Line(indent + 1, "ELSE : {");
            Block(indent + 1, depth);
            Line(indent + 1, "}");
            return Line(indent, "};");
        default:
            Line(indent, "STRCASE $s AS MASKTEXT OF {");
            Line(indent + 1, "'*.txt' : {");
            Block(indent + 1, depth);
            Line(indent + 1, "},");
            Line(indent + 1, "ELSE : { }");
            return Line(indent, "};");
        }
    }

    std::mt19937 rng_;
    std::string out_;
    std::size_t lines_ = 0;
    unsigned subs_ = 0, funcs_ = 0, routines_ = 0;
};

}  // namespace

std::string GenerateVtlProgram(std::size_t lines, unsigned seed)
{
    return TProgramWriter(seed).Generate(lines);
}
