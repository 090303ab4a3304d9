#pragma once
#include <string>

// The end-user licence agreement; its clause 3 is the folder rule that the settings page enforces.
std::string LicenceAgreementText(const std::string& folderWordClause);
