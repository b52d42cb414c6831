#pragma once
// A test with an interpreter on a recording host and a program to load.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "interpreter/keyimage.h"
#include "interpreter/keyfile_builder.h"
#include "interpreter/keysrc.h"
#include "interpreter/recordinghost.h"

class TVtlTest : public ::testing::Test {
protected:
    TRecordingHost host;
    TKeySrc vtl{host};
    TKeyFileContent program;

    // Globals #g0..#g(n-1) = 0 and $s0..$s(n-1) = "".
    void Globals(int nums, int strs = 0)
    {
        for (int i = 0; i < nums; ++i) program.globalNums.push_back({"#g" + std::to_string(i), 0});
        for (int i = 0; i < strs; ++i) program.globalStrs.push_back({"$s" + std::to_string(i), ""});
    }
    bool Load()
    {
        vtl.ClearKeyData();
        return vtl.LoadKeyImage(SerializeKeyFile(program), "C:\\T.KEY");
    }
    // Loads a program whose #INIT holds the statements, runs it and gives
    // what the host recorded.
    std::vector<std::string> Init(const std::vector<kb::TCode>& statements)
    {
        program.init = kb::Block(statements);
        EXPECT_TRUE(Load()) << ::testing::PrintToString(host.lines);
        vtl.RunInit();
        return host.lines;
    }
    std::int64_t G(int n) const { return vtl.GlobalNums.at(static_cast<std::size_t>(n)).Value; }
    std::string S(int n) const { return vtl.GlobalStrs.at(static_cast<std::size_t>(n)).Value; }
};

using Lines = std::vector<std::string>;

inline std::string GrammarError(const std::string& text) { return "[Velkano] 文法エラー\\n" + text; }
