// uidriver: drives the windows of other programs the way a person would, one action per run.
// Prints one JSON object per line (UTF-8) on stdout; on failure a message on stderr and a
// non-zero exit code (see failure.h).
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "commands.h"
#include "failure.h"
#include "json_line.h"
#include "serve.h"

namespace uidriver {
namespace {

struct Command {
    const wchar_t* name;
    void (*run)(const Args&);
    const char* usage;
};

const Command kCommands[] = {
    {L"windows", ListWindows, "windows [--class C] [--title T] [--title-contains S] [--pid N] [--hidden]"},
    {L"wait", WaitWindow,
     "wait [--class C] [--title T] [--title-contains S] [--pid N] [--hidden] [--not-hwnd H] [--timeout MS]"},
    {L"wait-gone", WaitGone, "wait-gone --hwnd H [--or-hidden] [--timeout MS]"},
    {L"info", DescribeWindow, "info --hwnd H"},
    {L"children", ListChildren, "children --hwnd H"},
    {L"msgbox", ReadMessageBox, "msgbox --hwnd H"},
    {L"click", Click, "click (--hwnd H | --parent P (--id N | --text T)) [--force]"},
    {L"press", PressBoxButton, "press --hwnd BOX --id N [--force]"},
    {L"tick", Tick, "tick (--hwnd H | --parent P (--id N | --text T)) --state on|off [--timeout MS] [--force]"},
    {L"settext", SetText, "settext (--hwnd H | --parent P (--id N | --text T)) --value V [--force]"},
    {L"keys", SendKeys, "keys --hwnd H [--keys enter,tab,shift+tab,alt+f4,...] [--chars TEXT] [--mode input|post]"},
    {L"close", Close, "close --hwnd H [--syscommand]"},
    {L"focus", Focus, "focus --hwnd H"},
    {L"reg-read", RegRead, "reg-read --root HKLM|HKCU|HKU|HKCR --key K [--value V] [--view 64|32|default]"},
    {L"reg-values", RegValues, "reg-values --root R --key K [--view V]"},
    {L"reg-keys", RegKeys, "reg-keys --root R --key K [--view V]"},
    {L"reg-dump", RegDump, "reg-dump --root R [--key K] [--view V] [--skip SUB\\PATH;OTHER]"},
    {L"reg-write", RegWrite, "reg-write --root R --key K [--value V] [--type REG_SZ|REG_EXPAND_SZ|REG_DWORD] --data D [--view V]"},
    {L"reg-create-key", RegCreateKey, "reg-create-key --root R --key K [--view V]"},
    {L"reg-delete-key", RegDeleteKey, "reg-delete-key --root R --key K [--view V]"},
    {L"reg-delete-value", RegDeleteValue, "reg-delete-value --root R --key K [--value V] [--view V]"},
    {L"lnk", ResolveShortcut, "lnk --path FILE.lnk"},
    {L"hold-mapping", HoldMapping, "hold-mapping --name N --ms MS [--size BYTES]"},
};

const std::set<std::wstring> kSwitches = {L"hidden", L"force", L"syscommand", L"or-hidden"};

void PrintUsage() {
    std::printf("usage: uidriver COMMAND [options]   (numbers: decimal or 0x hex)\n"
                "       uidriver serve   (tab-separated commands on stdin, see serve.h)\n");
    for (const auto& command : kCommands) std::printf("  %s\n", command.usage);
}

void PrintError(const std::wstring& message) {
    std::string line = "uidriver: " + Utf8(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

int Run(const std::vector<std::wstring>& words) {
    Args args(words, kSwitches);
    if (args.Command() == L"help") {
        PrintUsage();
        return kOk;
    }
    for (const auto& command : kCommands) {
        if (args.Command() == command.name) {
            command.run(args);
            return kOk;
        }
    }
    Fail(kUsage, L"unknown command: " + args.Command() + L"; try: uidriver help");
}

}  // namespace
}  // namespace uidriver

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::wstring> words(argv + 1, argv + argc);
    if (words.size() == 1 && words[0] == L"serve") return uidriver::Serve(uidriver::Run);
    try {
        return uidriver::Run(words);
    } catch (const uidriver::Failure& failure) {
        uidriver::PrintError(failure.message);
        return failure.code;
    }
}
