#pragma once
// Configuration files as OpenOffice.org 3 writes them into a user profile, and the suite's
// templates for them; shared by the merge tests and the fuzzing seeds.

#include <string_view>

namespace ooo::files {

inline constexpr std::string_view kAddonsTemplate = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:component-data xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" oor:name="Addons" oor:package="org.openoffice.Office">
 <node oor:name="AddonUI">
  <node oor:name="OfficeToolBar">
   <node oor:name="VANTO.Translate" oor:op="replace">
    <node oor:name="m1" oor:op="replace">
     <prop oor:name="URL" oor:type="xs:string">
      <value>vnd.sun.star.script:Vanto.Module1.TranslateSel?language=Basic&amp;location=application</value>
     </prop>
    </node>
   </node>
  </node>
  <node oor:name="Images">
   <node oor:name="vanto.Icon.TranslateSel" oor:op="replace">
    <node oor:name="UserDefinedImages">
     <prop oor:name="ImageSmallURL">
      <value>%origin%/Vanto/sel16.bmp</value>
     </prop>
    </node>
   </node>
  </node>
  <node oor:name="OfficeMenuBar">
   <node oor:name="vanto.TopMenu" oor:op="replace">
    <prop oor:name="Title" oor:type="xs:string">
     <value xml:lang="en-US">VANTO</value>
    </prop>
   </node>
  </node>
 </node>
</oor:component-data>
)";

// A profile where another extension added a menu: no toolbar and no images section.
inline constexpr std::string_view kAddonsMenuOnly = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:component-data xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" oor:name="Addons" oor:package="org.openoffice.Office">
 <node oor:name="AddonUI">
  <node oor:name="OfficeMenuBar">
   <node oor:name="org.openoffice.example.Menu" oor:op="replace">
    <prop oor:name="Title" oor:type="xs:string">
     <value xml:lang="en-US">Example</value>
    </prop>
   </node>
  </node>
 </node>
</oor:component-data>
)";

// A profile with all three sections, each holding another extension's node.
inline constexpr std::string_view kAddonsFull = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:component-data xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" oor:name="Addons" oor:package="org.openoffice.Office">
 <node oor:name="AddonUI">
  <node oor:name="OfficeToolBar">
   <node oor:name="org.openoffice.example.Bar" oor:op="replace">
    <prop oor:name="Title" oor:type="xs:string">
     <value>Example</value>
    </prop>
   </node>
  </node>
  <node oor:name="Images">
   <node oor:name="org.openoffice.example.Image" oor:op="replace">
    <prop oor:name="URL">
     <value>.uno:Example</value>
    </prop>
   </node>
  </node>
  <node oor:name="OfficeMenuBar">
   <node oor:name="org.openoffice.example.Menu" oor:op="replace">
    <prop oor:name="Title" oor:type="xs:string">
     <value xml:lang="en-US">Example</value>
    </prop>
   </node>
  </node>
 </node>
</oor:component-data>
)";

inline constexpr std::string_view kWindowStateTemplate = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:component-data xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" oor:name="WriterWindowState" oor:package="org.openoffice.Office.UI">
 <node oor:name="UIElements">
  <node oor:name="States">
   <node oor:name="private:resource/toolbar/addon_VANTO.Translate" oor:op="replace">
    <prop oor:name="Docked" oor:type="xs:boolean">
     <value>true</value>
    </prop>
    <prop oor:name="UIName" oor:type="xs:string">
     <value>VANTO</value>
    </prop>
   </node>
  </node>
 </node>
</oor:component-data>
)";

inline constexpr std::string_view kWindowState = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:component-data xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" oor:name="WriterWindowState" oor:package="org.openoffice.Office.UI">
 <node oor:name="UIElements">
  <node oor:name="States">
   <node oor:name="private:resource/toolbar/standardbar" oor:op="replace">
    <prop oor:name="DockPos" oor:type="xs:string">
     <value>0,0</value>
    </prop>
   </node>
  </node>
 </node>
</oor:component-data>
)";

inline constexpr std::string_view kAccelTemplate =
    R"( <accel:item accel:code="KEY_T" accel:mod1="true" accel:mod2="true" xlink:href="vnd.sun.star.script:Vanto.Module1.TranslateSel?language=Basic&amp;location=application"/>
 <accel:item accel:code="KEY_A" accel:mod1="true" accel:mod2="true" xlink:href="vnd.sun.star.script:Vanto.Module1.TranslateAll?language=Basic&amp;location=application"/>
)";

inline constexpr std::string_view kCurrentXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE accel:acceleratorlist PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "accelerator.dtd">
<accel:acceleratorlist xmlns:accel="http://openoffice.org/2001/accel" xmlns:xlink="http://www.w3.org/1999/xlink">
 <accel:item accel:code="KEY_F7" xlink:href=".uno:SpellingAndGrammarDialog"/>
</accel:acceleratorlist>
)";

inline constexpr std::string_view kScriptXlcTemplate =
    R"( <library:library library:name="Vanto" xlink:href="$(USER)/basic/Vanto/script.xlb/" xlink:type="simple" library:link="false"/>
)";

inline constexpr std::string_view kScriptXlc = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE library:libraries PUBLIC "-//OpenOffice.org//DTD OfficeDocument 1.0//EN" "libraries.dtd">
<library:libraries xmlns:library="http://openoffice.org/2000/library" xmlns:xlink="http://www.w3.org/1999/xlink">
 <library:library library:name="Standard" xlink:href="$(USER)/basic/Standard/script.xlb/" xlink:type="simple" library:link="false"/>
</library:libraries>
)";

}  // namespace ooo::files
