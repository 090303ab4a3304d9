#pragma once
#include <cstdint>
#include <string>

struct ProductIdentity {
    std::string ShortName;
    std::string RussianDisplayName;
    std::string EnglishDisplayName;
    std::string RussianTitle;
    std::string EnglishTitle;
    std::string VersionText;
    std::int32_t VersionMajor = 0;
    std::int32_t VersionMinor = 0;
    std::string MainWindowClass;
    std::string MarkerName;
    std::string FolderWordClause;
};
