// The product's fixed names and addresses, in one place.
#pragma once

namespace fq::product {

inline constexpr const char* name = "Folioquill";
inline constexpr const char* walkModuleProject = "Ostrakon";
inline constexpr const char* buildDate = "2021/08/31";
inline constexpr const char* windowName = "Form1";
inline constexpr const char* walkModuleName = "AddFolder";
inline constexpr const char* supportEmail = "support@trevalon-software.example";
inline constexpr const char* makerWebSite = "https://www.trevalon-software.example/";
inline constexpr const char* splitterWebPage = "https://www.trevalon-software.example/pagecleaver/";
inline constexpr const char* errorBoxTitle = "Application Error";

} // namespace fq::product
