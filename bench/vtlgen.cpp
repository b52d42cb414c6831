#include "vtlgen.h"

#include <random>

std::string GenerateVtlSource(std::size_t bytes, unsigned seed)
{
    std::mt19937 rng(seed);
    const char* const words[] = {"#count", "#i", "$name", "$path", "#_RESULT", "$_FILENAME", "#total_size", "$ext"};
    const char* const ops[] = {" + ", " - ", " * ", " / ", " % ", " & ", " | ", " ^ "};
    const char* const cmps[] = {" = ", " <> ", " < ", " <= ", " > ", " >= "};
    const char* const texts[] = {"'ファイルをコピーします'", "'It''s done'", "'C:\\表示\\ソフト'", "'*.txt'", "''",
                                 "'日本語の文字列と ASCII'"};
    std::string s;
    s.reserve(bytes + 4096);
    s += "// 大きなソースの生成結果\r\n#GLOBALVAR #count = 0, $name = 'x', #tbl[4] = [1, -2, 0x1F, 3];\r\n";
    int routine = 0;
    while (s.size() < bytes) {
        s += "/* ルーチン " + std::to_string(routine) + " /* nested */ */\r\n";
        s += "#SUB Proc" + std::to_string(routine++) + "(#a, VAR $b, $c[])\r\n{\r\n  VAR #i, $s, #w[10];\r\n";
        int statements = 10 + rng() % 20;
        for (int k = 0; k < statements; ++k) {
            switch (rng() % 5) {
            case 0:
                s += std::string("  ") + words[rng() % 8] + " = " + std::to_string(rng() % 100000) +
                     ops[rng() % 8] + "0x" + std::to_string(rng() % 9000 + 1000) + "; // 数値\r\n";
                break;
            case 1:
                s += std::string("  $s = ") + texts[rng() % 6] + " + \\n + " + words[2 + rng() % 2] + ";\r\n";
                break;
            case 2:
                s += std::string("  IF (") + words[rng() % 8] + cmps[rng() % 6] + std::to_string(rng() % 50) +
                     ") { MsgBox('表示', #i); } ELSE { #i = #i + 1; }\r\n";
                break;
            case 3:
                s += "  FOR #i = 1 TO #w[3] { SetMark(1, #i, TRUE); }\r\n";
                break;
            default:
                s += "  /* 複数行の\r\n     コメント */ CopyFile($path, 'D:\\backup\\' + $_FILENAME);\r\n";
                break;
            }
        }
        s += "}\r\n#KEY ALT+F" + std::to_string(1 + rng() % 12) + " { Proc0(1, $name, ['a', 'b']); }\r\n";
    }
    return s;
}
