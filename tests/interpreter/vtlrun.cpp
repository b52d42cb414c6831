// vtlrun FILE.KEY [--pane N FILE]... [--history NAME FILE] [--init] [--done] [--key NAME]... [--event NAME]...
//
// Loads a key-assign file and runs it without a main window: #INIT when no
// run is named, otherwise the named runs in order (a key run does #PREKEY
// first). Every message box and status message becomes one line on
// standard output. --pane fills window N (1 or 2) from a list file, one
// entry per line: long name, size, attribute letters of D R H S A and the
// last-write time "yyyy/mm/dd hh:nn:ss", separated by tabs; the entries
// are sorted by the default sort set, the cursor is on the first and pane 1
// is active. With --history it shares the histories of that base name with
// other programs as VELK does (30, 20 and 20 entries when it is the first),
// and writes the history file at the end when it is the last.
// Exits 0, 1 when the file does not load, 2 for a bad command line or pane
// list.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "interpreter/keysrc.h"
#include "interpreter/panelist.h"
#include "interpreter/recordinghost.h"
#include "platform/filebytes.h"
#include "platform/format.h"
#include "platform/sjis.h"

namespace {

void Print(const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fwrite("\r\n", 1, 2, stdout);
    std::fflush(stdout);
}

struct TInput {
    TKeyMode mode = kmKey;
    int code = 0;
    int flags = 0;
};

// Key, mouse and event names as VTL writes them, with ALT+, CTRL+ and
// SHIFT+ in front of virtual keys and mouse actions.
bool ParseInput(std::string name, TInput& in)
{
    name = SjisUpperCase(name);
    static const char* const kEvents[] = {"RESIZE", "SPLITMOVED", "ACTIVE", "DEACTIVE", "CHANGEWINDOW"};
    for (int i = 0; i < 5; ++i)
        if (name == kEvents[i]) return in = {kmEvent, i, 0}, true;
    if (name.size() == 1 || (name.size() == 2 && name[0] == 'K' && std::strchr("*+-./", name[1]))) {
        int c = static_cast<unsigned char>(name.back());
        if (IsCharKey(c) && (name.size() == 2 || !std::strchr("*+-./", c))) return in = {kmCharKey, c, 0}, true;
    }
    int flags = 0;
    for (bool more = true; more;) {
        more = false;
        for (const auto& [prefix, bit] : {std::pair{"ALT+", 2}, {"CTRL+", 4}, {"SHIFT+", 1}})
            if (name.rfind(prefix, 0) == 0) {
                flags |= bit;
                name.erase(0, std::strlen(prefix));
                more = true;
            }
    }
    static const char* const kMouse[] = {"LDBLCLICK", "LCLICK", "MDBLCLICK", "MCLICK", "RDBLCLICK", "RCLICK",
                                         "WHEELUP", "WHEELDOWN", "X1DBLCLICK", "X1CLICK", "X2DBLCLICK", "X2CLICK",
                                         "LDOWN", "MDOWN", "RDOWN", "X1DOWN", "X2DOWN"};
    for (int i = 0; i < 17; ++i)
        if (name == kMouse[i]) return in = {kmMouse, i, flags}, true;
    static const std::pair<const char*, int> kNamed[] = {
        {"BS", 8},    {"TAB", 9},   {"ENTER", 13}, {"ESC", 27},  {"SPACE", 32}, {"PRIOR", 33}, {"NEXT", 34},
        {"END", 35},  {"HOME", 36}, {"LEFT", 37},  {"UP", 38},   {"RIGHT", 39}, {"DOWN", 40},  {"INS", 45},
        {"DEL", 46},  {"HELP", 47}, {"T*", 106},   {"T+", 107},  {"T-", 109},   {"T.", 110},   {"T/", 111}};
    for (const auto& [n, code] : kNamed)
        if (name == n) return in = {kmKey, code, flags}, true;
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return in = {kmKey, name[0], flags}, true;
    if (name.size() == 2 && (name[0] == 'K' || name[0] == 'T') && name[1] >= '0' && name[1] <= '9')
        return in = {kmKey, (name[0] == 'K' ? 48 : 96) + name[1] - '0', flags}, true;
    if (name.size() == 3 && name[0] == 'F') {
        int f = StrToIntDef(name.substr(1), 0);
        if (f >= 1 && f <= 16) return in = {kmKey, 111 + f, flags}, true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) {
        Print("usage : vtlrun FILE.KEY [--pane N FILE]... [--history NAME FILE] [--init] [--done] [--key NAME]... "
              "[--event NAME]...");
        return 2;
    }
    TRecordingHost host;
    host.echo = Print;
    TKeySrc vtl(host);
    if (!vtl.LoadKeyFile(argv[1])) return 1;
    bool ran = false;
    try {
        for (int i = 2; i < argc; ++i) {
            std::string opt = argv[i];
            TInput in;
            if (opt == "--pane" && i + 2 < argc) {
                std::string window = argv[++i];
                std::string file = argv[++i];
                if (window != "1" && window != "2") {
                    Print("vtlrun : the window of --pane is 1 or 2 : " + window);
                    return 2;
                }
                std::string text;
                if (!ReadFileBytes(file, text)) {
                    Print("vtlrun : cannot read the pane list " + file);
                    return 2;
                }
                try {
                    ShowPaneList(window == "1" ? host.pane1 : host.pane2, text);
                } catch (const std::invalid_argument& e) {
                    Print("vtlrun : " + file + " " + e.what());
                    return 2;
                }
            } else if (opt == "--history" && i + 2 < argc) {
                std::string name = argv[++i];
                std::string file = argv[++i];
                try {
                    host.history = std::make_unique<TRefCountEx>(name, 30, 20, 20, file);
                } catch (const ERefCountError& e) {
                    Print(std::string("[history] ") + e.what());
                }
            } else if (opt == "--init") {
                vtl.RunInit();
                ran = true;
            } else if (opt == "--done") {
                vtl.RunDone(-1);
                ran = true;
            } else if ((opt == "--key" || opt == "--event") && i + 1 < argc && ParseInput(argv[++i], in)) {
                switch (in.mode) {
                case kmCharKey: vtl.RunCharKey(in.code, -1, 0, 0, in.flags); break;
                case kmMouse: vtl.RunMouse(in.code, -1, 0, 0, in.flags); break;
                case kmEvent: vtl.RunEvent(in.code, -1, 0, 0, in.flags); break;
                default: vtl.RunKey(in.code, -1, 0, 0, in.flags); break;
                }
                ran = true;
            } else {
                Print("vtlrun : unknown option or input name : " + opt);
                return 2;
            }
        }
        if (!ran) vtl.RunInit();
        if (host.history && host.history->AttachedCount() == 1 && !host.history->Save())
            Print("[history] not saved");
    } catch (const std::exception& e) {
        Print(std::string("[error] ") + e.what());
        return 3;
    }
    return 0;
}
