#include "serve.h"

#include <windows.h>

#include <cstdio>
#include <exception>

#include "failure.h"
#include "json_line.h"

namespace uidriver {
namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &text[0], size);
    return text;
}

char Unescaped(char c) {
    switch (c) {
        case 't': return '\t';
        case 'n': return '\n';
        case 'r': return '\r';
        default: return c;
    }
}

bool ReadLine(std::string* line) {
    line->clear();
    int c;
    while ((c = std::fgetc(stdin)) != EOF) {
        if (c == '\n') return true;
        if (c != '\r') *line += static_cast<char>(c);
    }
    return !line->empty();
}

void PrintEnd(int code, const std::wstring& error) {
    JsonLine().Add("uidriver_exit", code).Add("error", error).Print();
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(const std::string& utf8Line) {
    std::vector<std::wstring> words;
    std::string word;
    for (size_t i = 0; i < utf8Line.size(); ++i) {
        char c = utf8Line[i];
        if (c == '\\' && i + 1 < utf8Line.size()) {
            word += Unescaped(utf8Line[++i]);
        } else if (c == '\t') {
            words.push_back(Wide(word));
            word.clear();
        } else {
            word += c;
        }
    }
    words.push_back(Wide(word));
    return words;
}

int Serve(const CommandRunner& run) {
    std::string line;
    while (ReadLine(&line)) {
        try {
            PrintEnd(run(SplitCommandLine(line)), L"");
        } catch (const Failure& failure) {
            PrintEnd(failure.code, failure.message);
        } catch (const std::exception& error) {
            PrintEnd(kApiFailure, Wide(error.what()));
        }
    }
    return kOk;
}

}  // namespace uidriver
