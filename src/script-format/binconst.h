#pragma once
// Layout constants of the key-assign file, shared by VELKC and VELK.
// Code words are 32-bit; most read as a class (high half) and an index.

#include <cstdint>

namespace bc {

constexpr char kMagic[] = "VELK BINCODE VER ";  // 17 bytes, trailing blank
constexpr int kMagicLength = 17;
constexpr char kWrittenVersion[] = "0228";
constexpr int kHeaderSize = 24;
constexpr int kMinVersion = 200;
constexpr int kMaxVersion = 228;
constexpr int kNameFieldSize = 64;
constexpr int kMaxNameLength = 60;
constexpr std::int32_t kMaxArraySize = 0x10000000;

constexpr std::int32_t ClassOf(std::int32_t word) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(word) >> 16); }
constexpr std::int32_t IndexOf(std::int32_t word) { return word & 0xFFFF; }

// Sections
constexpr std::int32_t bcSecGlobalNum = 0x00100001;
constexpr std::int32_t bcSecGlobalStr = 0x00100002;
constexpr std::int32_t bcSecSubs = 0x00100003;
constexpr std::int32_t bcSecDefaultKeys = 0x00100004;
constexpr std::int32_t bcSecDefaultMouse = 0x00100005;
constexpr std::int32_t bcSecInit = 0x00100006;
constexpr std::int32_t bcSecDone = 0x00100007;
constexpr std::int32_t bcSecPreKey = 0x00100008;
constexpr std::int32_t bcSecKeySet = 0x00100009;
constexpr std::int32_t bcSecMouseSet = 0x0010000A;
constexpr std::int32_t bcSecGlobalNumArrays = 0x0010000B;
constexpr std::int32_t bcSecGlobalStrArrays = 0x0010000C;
constexpr std::int32_t bcSecDefaultEvents = 0x0010000D;
constexpr std::int32_t bcSecEventSet = 0x0010000E;
constexpr std::int32_t bcSecDialogs = 0x0010001F;
constexpr std::int32_t bcSecIntFuncs = 0x00100040;
constexpr std::int32_t bcSecStrFuncs = 0x00100041;
constexpr std::int32_t bcSecBoolFuncs = 0x00100042;

// Markers
constexpr std::int32_t bcCompoundBegin = 0x00100011;
constexpr std::int32_t bcCompoundEnd = 0x00100012;
constexpr std::int32_t bcListEnd = 0x00100020;
constexpr std::int32_t bcNot = 0x00100031;
constexpr std::int32_t bcAnd = 0x00100032;
constexpr std::int32_t bcOr = 0x00100033;
constexpr std::int32_t bcCondBegin = 0x00100034;
constexpr std::int32_t bcCondEnd = 0x00100035;
constexpr std::int32_t bcExprBegin = 0x00100036;
constexpr std::int32_t bcExprEnd = 0x00100037;
constexpr std::int32_t bcArrayBegin = 0x00100038;
constexpr std::int32_t bcArrayEnd = 0x00100039;

// Operand classes: 0x40 always, 0x10 string, 0x08 array, scope in the low 3 bits.
constexpr std::int32_t ocOperand = 0x40;
constexpr std::int32_t ocString = 0x10;
constexpr std::int32_t ocArray = 0x08;
enum Scope : std::int32_t {
    scConst = 0,
    scSystem = 1,
    scGlobal = 2,
    scLocal = 3,
    scValueArg = 4,
    scVarArg = 5,
};
constexpr std::int32_t OperandClass(bool isString, bool isArray, Scope scope)
{
    return ocOperand | (isString ? ocString : 0) | (isArray ? ocArray : 0) | scope;
}
constexpr std::int32_t bcNumConst = 0x00400001;
constexpr std::int32_t bcStrConst = 0x00500001;
constexpr std::int32_t bcBoolConst = 0x00600001;

// Argument code word classes of routine records, by argument letter.
constexpr std::int32_t acNum = 0x0044;        // N
constexpr std::int32_t acVarNum = 0x0045;     // V
constexpr std::int32_t acNumAry = 0x004C;     // R
constexpr std::int32_t acVarNumAry = 0x004D;  // X
constexpr std::int32_t acStr = 0x0054;        // S
constexpr std::int32_t acVarStr = 0x0055;     // T
constexpr std::int32_t acStrAry = 0x005C;     // Y
constexpr std::int32_t acVarStrAry = 0x005D;  // Z
// The class for a parameter letter, or 0 when the letter names no parameter kind.
constexpr std::int32_t ArgClassOfLetter(char letter)
{
    switch (letter) {
    case 'N': return acNum;
    case 'V': return acVarNum;
    case 'R': return acNumAry;
    case 'X': return acVarNumAry;
    case 'S': return acStr;
    case 'T': return acVarStr;
    case 'Y': return acStrAry;
    case 'Z': return acVarStrAry;
    default: return 0;
    }
}
constexpr char LetterOfArgClass(std::int32_t cls)
{
    switch (cls) {
    case acNum: return 'N';
    case acVarNum: return 'V';
    case acNumAry: return 'R';
    case acVarNumAry: return 'X';
    case acStr: return 'S';
    case acVarStr: return 'T';
    case acStrAry: return 'Y';
    case acVarStrAry: return 'Z';
    default: return 0;
    }
}

// Argument letters of builtin signatures (user routines use the parameter
// letters above). A signature is a string of these, or kNoArgs alone.
constexpr char kBuiltinArgLetters[] = "NSVTWYZAFCI+B";
constexpr char kNoArgs[] = "-";

// System arrays from these identifiers on take two index expressions.
constexpr std::int32_t kFirstTwoIndexSysNumArray = 0x00490200;
constexpr std::int32_t kFirstTwoIndexSysStrArray = 0x00590100;
constexpr bool TakesTwoIndexes(std::int32_t sysArrayId)
{
    std::int32_t cls = ClassOf(sysArrayId);
    return (cls == OperandClass(false, true, scSystem) && sysArrayId >= kFirstTwoIndexSysNumArray) ||
           (cls == OperandClass(true, true, scSystem) && sysArrayId >= kFirstTwoIndexSysStrArray);
}

// Other code word classes
constexpr std::int32_t ccMarker = 0x0010;
constexpr std::int32_t ccCondFunc = 0x0080;
constexpr std::int32_t ccCallIntFunc = 0x0088;
constexpr std::int32_t ccCallStrFunc = 0x0089;
constexpr std::int32_t ccCallBoolFunc = 0x008A;
constexpr std::int32_t ccStructured = 0x0090;
constexpr std::int32_t ccCallSub = 0x0091;
constexpr std::int32_t ccSysProc = 0x0092;
constexpr std::int32_t ccCallDialog = 0x00D0;
constexpr std::int32_t ccDialogPart = 0x00D1;
constexpr std::int32_t ccDialogItem = 0x00D2;
constexpr std::int32_t bcDialogPartEnd = 0x00D2FFFF;

// Call words: n is the routine's position in its section, from 0.
constexpr std::int32_t CallSubWord(int n) { return 0x00910001 + n; }
constexpr std::int32_t CallIntFuncWord(int n) { return 0x00880000 + n; }
constexpr std::int32_t CallStrFuncWord(int n) { return 0x00890000 + n; }
constexpr std::int32_t CallBoolFuncWord(int n) { return 0x008A0000 + n; }
constexpr std::int32_t CallDialogWord(int n) { return 0x00D00000 + n; }

// Arithmetic operators
constexpr std::int32_t bcOpAdd = 0x00920233;
constexpr std::int32_t bcOpSub = 0x00920234;
constexpr std::int32_t bcOpMul = 0x00920235;
constexpr std::int32_t bcOpDiv = 0x00920236;
constexpr std::int32_t bcOpMod = 0x00920237;
constexpr std::int32_t bcOpAnd = 0x00920238;
constexpr std::int32_t bcOpOr = 0x00920239;
constexpr std::int32_t bcOpXor = 0x0092023A;

// Typed Return inside #FUNC bodies
constexpr std::int32_t bcReturnInt = 0x00920008;
constexpr std::int32_t bcReturnStr = 0x00920009;
constexpr std::int32_t bcReturnBool = 0x0092000A;

// Structured statements
constexpr std::int32_t bcIf = 0x00900001;
constexpr std::int32_t bcElseIf = 0x00900003;
constexpr std::int32_t bcElse = 0x00900004;
constexpr std::int32_t bcEndIf = 0x00900005;
constexpr std::int32_t bcWhile = 0x00900011;
constexpr std::int32_t bcEndWhile = 0x00900013;
constexpr std::int32_t bcRepeat = 0x00900021;
constexpr std::int32_t bcUntil = 0x00900023;
constexpr std::int32_t bcVar = 0x00900031;
constexpr std::int32_t bcFor = 0x00900041;
constexpr std::int32_t bcTo = 0x00900042;
constexpr std::int32_t bcDownTo = 0x00900043;
constexpr std::int32_t bcCase = 0x00900051;
constexpr std::int32_t bcStrCase = 0x00900052;
constexpr std::int32_t bcMatchStr = 0x00900053;
constexpr std::int32_t bcMatchText = 0x00900054;
constexpr std::int32_t bcMatchRegStr = 0x00900055;
constexpr std::int32_t bcMatchRegText = 0x00900056;
constexpr std::int32_t bcMatchMaskStr = 0x00900057;
constexpr std::int32_t bcMatchMaskText = 0x00900058;
constexpr std::int32_t bcTry = 0x00900061;
constexpr std::int32_t bcExcept = 0x00900062;
constexpr std::int32_t bcFinally = 0x00900063;
constexpr std::int32_t bcEndTry = 0x0090006F;

// Input code words of binding records
constexpr std::int32_t kInputVirtualBit = static_cast<std::int32_t>(0x80000000u);
constexpr std::int32_t kModAlt = 0x00040000;
constexpr std::int32_t kModCtrl = 0x00020000;
constexpr std::int32_t kModShift = 0x00010000;
constexpr int ModifiersOf(std::int32_t inputWord) { return (static_cast<std::uint32_t>(inputWord) >> 16) & 7; }

}  // namespace bc
