// The demo installation's OpenOffice.org: versions 2.4 and 3.1 registered per machine, each with a
// user profile as OpenOffice.org writes it (the per-component configuration files, the Writer
// accelerators of two languages, the Basic library list), and the suite's Writer integration
// (WrtBridge.dll and its templates) under the Folders value "OpenOffice".
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "DemoHosts.h"
#include "core/RegistryKey.h"

namespace demo {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kOpenOfficeKey[] = L"SOFTWARE\\OpenOffice.org\\OpenOffice.org";
// Beside each profile the demo writes: a profile without it is a real user's and stays untouched.
constexpr wchar_t kDemoMark[] = L"VANTO demo profile.txt";

constexpr std::string_view kXcuHead =
    R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:component-data xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" )";

// OpenOffice.org 3.1: another extension's menu, no toolbar or images of add-ons.
constexpr std::string_view kAddonsWithMenu = R"(oor:name="Addons" oor:package="org.openoffice.Office">
 <node oor:name="AddonUI">
  <node oor:name="OfficeMenuBar">
   <node oor:name="org.openoffice.Office.addon.example.menu" oor:op="replace">
    <prop oor:name="Context" oor:type="xs:string">
     <value>com.sun.star.text.TextDocument</value>
    </prop>
    <prop oor:name="Title" oor:type="xs:string">
     <value xml:lang="en-US">Example Tools</value>
    </prop>
    <node oor:name="Submenu">
     <node oor:name="m1" oor:op="replace">
      <prop oor:name="URL" oor:type="xs:string">
       <value>vnd.sun.star.script:Standard.Module1.Main?language=Basic&amp;location=application</value>
      </prop>
      <prop oor:name="Title" oor:type="xs:string">
       <value xml:lang="en-US">Run Example</value>
      </prop>
      <prop oor:name="Target" oor:type="xs:string">
       <value>_self</value>
      </prop>
     </node>
    </node>
   </node>
  </node>
 </node>
</oor:component-data>
)";

// OpenOffice.org 2.4: another extension's toolbar button with its image, no menu.
constexpr std::string_view kAddonsWithoutMenu = R"(oor:name="Addons" oor:package="org.openoffice.Office">
 <node oor:name="AddonUI">
  <node oor:name="OfficeToolBar">
   <node oor:name="org.openoffice.Office.addon.example.toolbar" oor:op="replace">
    <node oor:name="m1" oor:op="replace">
     <prop oor:name="Context" oor:type="xs:string">
      <value>com.sun.star.text.TextDocument</value>
     </prop>
     <prop oor:name="URL" oor:type="xs:string">
      <value>vnd.sun.star.script:Standard.Module1.Main?language=Basic&amp;location=application</value>
     </prop>
     <prop oor:name="Title" oor:type="xs:string">
      <value xml:lang="en-US">Run Example</value>
     </prop>
     <prop oor:name="Target" oor:type="xs:string">
      <value>_self</value>
     </prop>
    </node>
   </node>
  </node>
  <node oor:name="Images">
   <node oor:name="org.openoffice.Office.addon.example.image" oor:op="replace">
    <prop oor:name="URL" oor:type="xs:string">
     <value>vnd.sun.star.script:Standard.Module1.Main?language=Basic&amp;location=application</value>
    </prop>
    <node oor:name="UserDefinedImages">
     <prop oor:name="ImageSmallURL" oor:type="xs:string">
      <value>private:image/3216</value>
     </prop>
    </node>
   </node>
  </node>
 </node>
</oor:component-data>
)";

constexpr std::string_view kWindowState =
    R"(oor:name="WriterWindowState" oor:package="org.openoffice.Office.UI">
 <node oor:name="UIElements">
  <node oor:name="States">
   <node oor:name="private:resource/toolbar/standardbar" oor:op="replace">
    <prop oor:name="Docked" oor:type="xs:boolean">
     <value>true</value>
    </prop>
    <prop oor:name="DockingArea" oor:type="xs:int">
     <value>0</value>
    </prop>
    <prop oor:name="DockPos" oor:type="xs:string">
     <value>0,0</value>
    </prop>
    <prop oor:name="Visible" oor:type="xs:boolean">
     <value>true</value>
    </prop>
   </node>
   <node oor:name="private:resource/toolbar/textobjectbar" oor:op="replace">
    <prop oor:name="Docked" oor:type="xs:boolean">
     <value>true</value>
    </prop>
    <prop oor:name="DockingArea" oor:type="xs:int">
     <value>0</value>
    </prop>
    <prop oor:name="DockPos" oor:type="xs:string">
     <value>0,1</value>
    </prop>
   </node>
  </node>
 </node>
</oor:component-data>
)";

constexpr std::string_view kSetup = R"(oor:name="Setup" oor:package="org.openoffice">
 <node oor:name="L10N">
  <prop oor:name="ooLocale" oor:type="xs:string">
   <value>en-US</value>
  </prop>
 </node>
 <node oor:name="Office">
  <prop oor:name="FirstStartWizardCompleted" oor:type="xs:boolean">
   <value>true</value>
  </prop>
  <prop oor:name="LicenseAcceptDate" oor:type="xs:string">
   <value>2009-06-12T10:41:07</value>
  </prop>
 </node>
</oor:component-data>
)";

constexpr std::string_view kAcceleratorsEnglish = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE accel:acceleratorlist PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "accelerator.dtd">
<accel:acceleratorlist xmlns:accel="http://openoffice.org/2001/accel" xmlns:xlink="http://www.w3.org/1999/xlink">
 <accel:item accel:code="KEY_F7" xlink:href=".uno:SpellingAndGrammarDialog"/>
 <accel:item accel:code="KEY_F7" accel:mod1="true" xlink:href=".uno:ThesaurusDialog"/>
 <accel:item accel:code="KEY_B" accel:mod1="true" xlink:href=".uno:Bold"/>
 <accel:item accel:code="KEY_I" accel:mod1="true" xlink:href=".uno:Italic"/>
</accel:acceleratorlist>
)";

constexpr std::string_view kAcceleratorsGerman = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE accel:acceleratorlist PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "accelerator.dtd">
<accel:acceleratorlist xmlns:accel="http://openoffice.org/2001/accel" xmlns:xlink="http://www.w3.org/1999/xlink">
 <accel:item accel:code="KEY_F7" xlink:href=".uno:SpellingAndGrammarDialog"/>
 <accel:item accel:code="KEY_F" accel:mod1="true" xlink:href=".uno:Bold"/>
 <accel:item accel:code="KEY_K" accel:mod1="true" xlink:href=".uno:Italic"/>
</accel:acceleratorlist>
)";

constexpr std::string_view kScriptXlc = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE library:libraries PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "libraries.dtd">
<library:libraries xmlns:library="http://openoffice.org/2000/library" xmlns:xlink="http://www.w3.org/1999/xlink">
 <library:library library:name="Standard" xlink:href="$(USER)/basic/Standard/script.xlb/" xlink:type="simple" library:link="false"/>
</library:libraries>
)";

constexpr std::string_view kDialogXlc = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE library:libraries PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "libraries.dtd">
<library:libraries xmlns:library="http://openoffice.org/2000/library" xmlns:xlink="http://www.w3.org/1999/xlink">
 <library:library library:name="Standard" xlink:href="$(USER)/basic/Standard/dialog.xlb/" xlink:type="simple" library:link="false"/>
</library:libraries>
)";

constexpr std::string_view kStandardXlb = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE library:library PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "library.dtd">
<library:library xmlns:library="http://openoffice.org/2000/library" library:name="Standard" library:readonly="false" library:passwordprotected="false">
 <library:element library:name="Module1"/>
</library:library>
)";

constexpr std::string_view kStandardModule = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE script:module PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "module.dtd">
<script:module xmlns:script="http://openoffice.org/2000/script" script:name="Module1" script:language="StarBasic">REM  *****  BASIC  *****

Sub Main

End Sub
</script:module>
)";

struct Profile {
  const wchar_t* version;  // registry key name
  const wchar_t* root;     // below the application-data folder: the folder of "user"
  const wchar_t* program;  // below <installation>\Hosts
  std::string_view addons;
};
constexpr Profile kProfiles[] = {
    {L"2.4", L"OpenOffice.org2", L"OpenOffice.org 2.4\\program", kAddonsWithoutMenu},
    {L"3.1", L"OpenOffice.org\\3", L"OpenOffice.org 3\\program", kAddonsWithMenu},
};

bool Write(const fs::path& file, std::string_view a, std::string_view b = {}) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << a << b;
  return !ec && static_cast<bool>(out);
}

bool CopyFromBin(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (!fs::exists(from)) {
    std::fwprintf(stderr, L"DemoInstall: no %ls\n", from.c_str());
    return false;
  }
  fs::create_directories(to.parent_path(), ec);
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
  return !ec;
}

// One user profile as OpenOffice.org leaves it after a few sessions. An earlier demo profile is
// replaced whole (with whatever a switch left in it); a profile the demo did not write is kept.
bool WriteProfile(const fs::path& appData, const Profile& profile) {
  const fs::path root = appData / profile.root;
  const fs::path user = root / L"user";
  std::error_code ec;
  if (fs::exists(user) && !fs::exists(root / kDemoMark)) {
    std::fwprintf(stderr, L"DemoInstall: %ls is a user's own profile; left as it is\n", user.c_str());
    return true;
  }
  fs::remove_all(user, ec);
  if (ec) return false;
  const fs::path office = user / L"registry\\data\\org\\openoffice\\Office";
  const fs::path accelerators = user / L"config\\soffice.cfg\\modules\\swriter\\accelerator";
  const fs::path basic = user / L"basic";
  return Write(root / kDemoMark,
               "Written by the VANTO demo installation; it replaces this profile when run again.\r\n") &&
         Write(office / L"Addons.xcu", kXcuHead, profile.addons) &&
         Write(office / L"Setup.xcu", kXcuHead, kSetup) &&
         Write(office / L"UI\\WriterWindowState.xcu", kXcuHead, kWindowState) &&
         Write(accelerators / L"en-US\\current.xml", kAcceleratorsEnglish) &&
         Write(accelerators / L"de\\current.xml", kAcceleratorsGerman) &&
         Write(basic / L"script.xlc", kScriptXlc) && Write(basic / L"dialog.xlc", kDialogXlc) &&
         Write(basic / L"Standard\\script.xlb", kStandardXlb) &&
         Write(basic / L"Standard\\Module1.xba", kStandardModule);
}

}  // namespace

bool InstallDemoOpenOffice(const fs::path& binFolder, const fs::path& folder) {
  wchar_t appData[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                appData)))
    return false;
  for (const Profile& profile : kProfiles) {
    app::RegistryKey key;
    if (!key.Create(HKEY_LOCAL_MACHINE, std::wstring(kOpenOfficeKey) + L"\\" + profile.version) ||
        !key.WriteString(L"Path", (folder / L"Hosts" / profile.program / L"soffice.exe").wstring()) ||
        !WriteProfile(appData, profile))
      return false;
  }
  app::RegistryKey folders;
  const fs::path suite = folder / L"OpenOffice";
  std::error_code ec;
  fs::create_directories(suite, ec);
  return !ec && folders.Create(HKEY_LOCAL_MACHINE, reg::kFolders) &&
         folders.WriteString(L"OpenOffice", suite.wstring() + L"\\") &&
         CopyFromBin(binFolder / L"WrtBridge.dll", suite / L"WrtBridge.dll") &&
         CopyFromBin(binFolder / L"OOInst", suite / L"OOInst");
}

}  // namespace demo
