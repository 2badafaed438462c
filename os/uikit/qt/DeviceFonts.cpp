#include "Painting.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>

namespace uikit {
namespace {

// The device's font set: every installed font, drawn as the desktop's defaults draw them
// (antialiased, slight hinting, the default LCD filter, no bitmap faces, synthetic bold and
// oblique for faces that lack them), and a person's own fontconfig file on top. Loading the
// desktop's configuration instead means parsing some sixty XML files at every start for
// aliases and language rules the toolkit never asks for: it names its families itself.
constexpr const char* deviceFontsConf = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <dir prefix="xdg">fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintslight</const></edit>
    <edit name="lcdfilter" mode="assign"><const>lcddefault</const></edit>
  </match>
  <selectfont>
    <rejectfont><pattern><patelt name="scalable"><bool>false</bool></patelt></pattern></rejectfont>
  </selectfont>
  <match target="font">
    <test name="slant"><const>roman</const></test>
    <test target="pattern" name="slant" compare="not_eq"><const>roman</const></test>
    <edit name="matrix" mode="assign">
      <times><name>matrix</name>
        <matrix><double>1</double><double>0.2</double><double>0</double><double>1</double></matrix>
      </times>
    </edit>
    <edit name="slant" mode="assign"><const>oblique</const></edit>
    <edit name="embeddedbitmap" mode="assign"><bool>false</bool></edit>
  </match>
  <match target="font">
    <test name="weight" compare="less_eq"><const>medium</const></test>
    <test target="pattern" name="weight" compare="more_eq"><const>bold</const></test>
    <edit name="embolden" mode="assign"><bool>true</bool></edit>
    <edit name="weight" mode="assign"><const>bold</const></edit>
  </match>
  <include ignore_missing="yes" prefix="xdg">fontconfig/fonts.conf</include>
</fontconfig>
)";

} // namespace

void useDeviceFonts()
{
    // Whoever points fontconfig at a file of their own keeps it.
    if (std::getenv("FONTCONFIG_FILE") || std::getenv("FONTCONFIG_PATH"))
        return;
    FcConfig* config = FcConfigCreate();
    if (!config)
        return;
    // On any failure the process keeps fontconfig's own default configuration. Made current,
    // the configuration is held by the library, which took a reference of its own.
    const auto* text = reinterpret_cast<const FcChar8*>(deviceFontsConf);
    if (FcConfigParseAndLoadFromMemory(config, text, FcFalse) && FcConfigBuildFonts(config))
        FcConfigSetCurrent(config);
    FcConfigDestroy(config);
}

} // namespace uikit
