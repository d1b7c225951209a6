// The files of the Startdeck component, as every installation puts them: the start centre with its
// help file, skin and language libraries in the installation folder, the plug-ins manager with its
// language libraries in the folder of the suite's applications (Apps). Portable, so that the demo
// installation and the build of the product's package (packaging/msisource) install the same files.
#pragma once

#include <string_view>

namespace demo {

struct StartdeckFile {
  std::wstring_view name;  // as built, in the build's bin folder
  bool inApps;             // in <installation>\Apps instead of the installation folder
};

inline constexpr StartdeckFile kStartdeckFiles[] = {
    {L"Startdeck.exe", false},       {L"Startdeck.chm", false},       {L"StartdeckSkin.dll", false},
    {L"StartdeckResENU.dll", false}, {L"StartdeckResDEU.dll", false}, {L"StartdeckResFRA.dll", false},
    {L"StartdeckResRUS.dll", false}, {L"StartdeckResESN.dll", false}, {L"VantoEM.exe", true},
    {L"VantoEMResENU.dll", true},    {L"VantoEMResDEU.dll", true},    {L"VantoEMResFRA.dll", true},
    {L"VantoEMResRUS.dll", true},    {L"VantoEMResESN.dll", true},
};

}  // namespace demo
