#include "compiler/compilecontext.h"

#include <string>

TNestingLevel::TNestingLevel(TCompileContext& ctx) : ctx_(ctx)
{
    if (ctx_.depth >= kMaxNesting) NestingTooDeep();
    ++ctx_.depth;
}

void NestingTooDeep()
{
    throw ESrcReaderError("入れ子が深すぎます (" + std::to_string(kMaxNesting) + " 段まで)");
}
