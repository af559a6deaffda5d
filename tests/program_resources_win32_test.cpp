// tavrel.exe carries its window icon under the name the window class loads, in
// both sizes, a version record, and a manifest that declares per-monitor DPI
// awareness (the window scales itself; Windows must not stretch it).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::string TavrelExePath() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  s = s.substr(0, s.find_last_of("\\/"));  // ...\tests
  s = s.substr(0, s.find_last_of("\\/"));  // the build folder
  return s + "\\tavrel.exe";
}

class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(TavrelExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module_) GTEST_SKIP() << "tavrel.exe not built next to the tests";
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, IconUnderClassNameInBothSizes) {
  HRSRC group = FindResourceA(module_, "KV_PROGRAM_ICON", RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(module_, group)));
  ASSERT_NE(dir, nullptr);
  // GRPICONDIR: reserved, type 1, count; then 14-byte entries.
  EXPECT_EQ(dir[2], 1);
  ASSERT_EQ(dir[4], 2);
  EXPECT_EQ(dir[6], 32);
  EXPECT_EQ(dir[6 + 14], 16);
  HICON icon = static_cast<HICON>(LoadImageA(module_, "KV_PROGRAM_ICON", IMAGE_ICON, 16, 16, 0));
  EXPECT_NE(icon, nullptr);
  if (icon) DestroyIcon(icon);
}

TEST_F(ProgramResources, VersionRecordNamesTheProduct) {
  HRSRC version = FindResourceA(module_, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
  ASSERT_NE(version, nullptr);
  DWORD size = SizeofResource(module_, version);
  auto* data = static_cast<const wchar_t*>(LockResource(LoadResource(module_, version)));
  ASSERT_NE(data, nullptr);
  std::wstring text(data, size / sizeof(wchar_t));
  EXPECT_NE(text.find(L"VS_VERSION_INFO"), std::wstring::npos);
  EXPECT_NE(text.find(L"Tavrel"), std::wstring::npos);
  EXPECT_NE(text.find(L"tavrel.exe"), std::wstring::npos);
}

TEST_F(ProgramResources, ManifestDeclaresPerMonitorDpiAwareness) {
  HRSRC manifest = FindResourceA(module_, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(manifest, nullptr);
  auto* data = static_cast<const char*>(LockResource(LoadResource(module_, manifest)));
  ASSERT_NE(data, nullptr);
  const std::string text(data, SizeofResource(module_, manifest));
  EXPECT_NE(text.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
                      "PerMonitorV2, PerMonitor</dpiAwareness>"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(">true/pm</dpiAware>"), std::string::npos) << text;
}

}  // namespace
