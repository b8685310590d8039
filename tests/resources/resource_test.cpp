// Reads the resources of the brimvale.exe built beside this test, the way
// Windows and the shell read them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "UVersion.h"

namespace brimvale {
namespace {

constexpr WORD kEnglishUk = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);

// Both programs land in the build's bin/ folder.
std::string ProgramPath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string self(path, length);
  return self.substr(0, self.find_last_of("\\/:") + 1) + BRIMVALE_EXE_NAME;
}

class TDataFile {
 public:
  explicit TDataFile(const std::string& path)
      : FModule(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  TDataFile(const TDataFile&) = delete;
  TDataFile& operator=(const TDataFile&) = delete;
  ~TDataFile() {
    if (FModule) FreeLibrary(FModule);
  }
  HMODULE Get() const { return FModule; }

 private:
  HMODULE FModule;
};

// Enumeration callbacks: stdcall in a 32-bit build, which lambdas cannot be.
BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
  return TRUE;
}

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

class ResourceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(FProgram.Get(), nullptr) << ProgramPath(); }

  // The English (United Kingdom) copy of a resource; empty when there is none.
  std::string_view Bytes(LPCSTR type, LPCSTR name) const {
    HRSRC info = FindResourceExA(FProgram.Get(), type, name, kEnglishUk);
    if (!info) return {};
    HGLOBAL loaded = LoadResource(FProgram.Get(), info);
    return {static_cast<const char*>(LockResource(loaded)), SizeofResource(FProgram.Get(), info)};
  }

  std::vector<WORD> Languages(LPCSTR type, LPCSTR name) const {
    std::vector<WORD> languages;
    EnumResourceLanguagesA(FProgram.Get(), type, name, AddLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
  }

  int CountNames(LPCSTR type) const {
    int count = 0;
    EnumResourceNamesA(FProgram.Get(), type, CountName, reinterpret_cast<LONG_PTR>(&count));
    return count;
  }

  TDataFile FProgram{ProgramPath()};
};

// --- Version information --------------------------------------------------

class VersionInfoTest : public ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(ProgramPath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    FBlock.resize(size);
    ASSERT_TRUE(GetFileVersionInfoA(ProgramPath().c_str(), 0, size, FBlock.data()));
  }

  bool Query(const std::string& path, void** value, UINT* length) {
    return VerQueryValueA(FBlock.data(), path.c_str(), value, length);
  }

  std::vector<char> FBlock;
};

TEST_F(VersionInfoTest, OneTranslationEnglishUkCodePage1252) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(Query("\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u) << "exactly one language and code page pair";
  const WORD* pair = static_cast<const WORD*>(value);
  EXPECT_EQ(pair[0], 0x0809);
  EXPECT_EQ(pair[1], 0x04E4);
}

TEST_F(VersionInfoTest, StringsOfTheEnglishUkTable) {
  const struct {
    const char* Name;
    const char* Value;
  } kStrings[] = {
      {"CompanyName", "Tavor Software"},
      {"FileDescription", "Brimvale fills a disk with data"},
      {"FileVersion", BRIMVALE_VERSION_TEXT},
      {"InternalName", "Brimvale"},
      {"LegalTrademarks", ""},
      {"OriginalFilename", "brimvale.exe"},
      {"ProductName", "Brimvale"},
      {"ProductVersion", "1.0.0.0"},
      {"Comments", ""},
  };
  for (const auto& entry : kStrings) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(Query(std::string("\\StringFileInfo\\080904E4\\") + entry.Name, &value, &length))
        << entry.Name;
    // Some compilers count the terminating NUL, some do not.
    std::string text(static_cast<const char*>(value), length);
    if (!text.empty() && text.back() == '\0') text.pop_back();
    EXPECT_EQ(text, entry.Value) << entry.Name;
  }
}

TEST_F(VersionInfoTest, FixedPart) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(Query("\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 0));  // 0.2
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(1, 0));  // .0.1
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(2, 0));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(1, 0));
  EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
  EXPECT_EQ(fixed->dwFileFlags, 0u);
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileSubtype, static_cast<DWORD>(VFT2_UNKNOWN));
  EXPECT_EQ(fixed->dwFileDateMS, 0u);
  EXPECT_EQ(fixed->dwFileDateLS, 0u);

  // The title the program shows (window caption, message boxes) names the
  // same version: "v" major "." minor in two digits.
  char title[64];
  std::snprintf(title, sizeof title, "Brimvale v%u.%02u", HIWORD(fixed->dwFileVersionMS),
                LOWORD(fixed->dwFileVersionMS));
  EXPECT_STREQ(title, BRIMVALE_TITLE);
}

// The version API answers only what it is asked; walking the raw block shows
// that there is no other string table and no string beyond the nine.
struct TVersionNode {
  std::string Key;
  std::vector<TVersionNode> Children;
};

// Parses the node at `data` (wLength, wValueLength, wType, key, value,
// children, each aligned to 4 bytes). Returns false on a malformed block.
bool ParseVersionNode(const char* data, size_t available, TVersionNode& node) {
  auto word = [&](size_t at) {
    WORD w;
    std::memcpy(&w, data + at, 2);
    return w;
  };
  auto align = [](size_t at) { return (at + 3) & ~size_t{3}; };
  if (available < 6) return false;
  const size_t length = word(0);
  if (length < 6 || length > available) return false;
  size_t at = 6;
  for (; at + 1 < length && word(at) != 0; at += 2) node.Key += static_cast<char>(word(at));
  const size_t valueBytes = word(4) == 1 ? word(2) * size_t{2} : word(2);
  at = align(align(at + 2) + valueBytes);
  while (at < length) {
    TVersionNode child;
    if (!ParseVersionNode(data + at, length - at, child)) return false;
    at = align(at + word(at));
    node.Children.push_back(std::move(child));
  }
  return true;
}

TEST_F(VersionInfoTest, NothingBeyondTheOneTableAndItsNineStrings) {
  const std::string_view raw = Bytes(RT_VERSION, MAKEINTRESOURCEA(1));
  ASSERT_FALSE(raw.empty());
  TVersionNode root;
  ASSERT_TRUE(ParseVersionNode(raw.data(), raw.size(), root));
  EXPECT_EQ(root.Key, "VS_VERSION_INFO");
  std::vector<std::string> blocks, tables, strings;
  for (const TVersionNode& block : root.Children) {
    blocks.push_back(block.Key);
    if (block.Key != "StringFileInfo") continue;
    for (const TVersionNode& table : block.Children) {
      tables.push_back(table.Key);
      for (const TVersionNode& string : table.Children) strings.push_back(string.Key);
    }
  }
  EXPECT_EQ(blocks, (std::vector<std::string>{"StringFileInfo", "VarFileInfo"}));
  EXPECT_EQ(tables, std::vector<std::string>{"080904E4"});
  EXPECT_EQ(strings,
            (std::vector<std::string>{"CompanyName", "FileDescription", "FileVersion",
                                      "InternalName", "LegalTrademarks", "OriginalFilename",
                                      "ProductName", "ProductVersion", "Comments"}));
}

// --- Manifest -----------------------------------------------------------

// The attributes of each <element ...> in order. Enough XML for a manifest
// that we write ourselves: no comments or CDATA that hide a tag.
std::vector<std::map<std::string, std::string>> Elements(std::string_view xml,
                                                         std::string_view element) {
  std::vector<std::map<std::string, std::string>> found;
  std::string open = "<";
  open += element;
  for (size_t at = xml.find(open); at != std::string_view::npos; at = xml.find(open, at + 1)) {
    const size_t end = xml.find('>', at);
    const size_t after = at + open.size();
    if (end == std::string_view::npos || after >= xml.size()) break;
    if (!std::strchr(" \t\r\n/>", xml[after])) continue;  // a longer name
    std::string_view tag = xml.substr(after, end - after);
    std::map<std::string, std::string> attributes;
    for (size_t eq = tag.find('='); eq != std::string_view::npos; eq = tag.find('=', eq + 1)) {
      size_t nameStart = tag.find_last_of(" \t\r\n", eq) + 1;
      const size_t quote = eq + 1;
      if (quote >= tag.size() || (tag[quote] != '"' && tag[quote] != '\'')) continue;
      const size_t close = tag.find(tag[quote], quote + 1);
      if (close == std::string_view::npos) break;
      attributes[std::string(tag.substr(nameStart, eq - nameStart))] =
          std::string(tag.substr(quote + 1, close - quote - 1));
      eq = close;
    }
    found.push_back(std::move(attributes));
  }
  return found;
}

class ManifestTest : public ResourceTest {
 protected:
  std::string_view Text() const { return Bytes(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID); }
};

TEST_F(ManifestTest, TheOnlyManifestIsTheProgramsOwn) {
  // A toolchain's default manifest would come as a second name or as a second
  // language of the same name.
  EXPECT_EQ(CountNames(RT_MANIFEST), 1);
  EXPECT_EQ(Languages(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID).size(), 1u);
  EXPECT_FALSE(Text().empty());
}

TEST_F(ManifestTest, StandaloneUtf8DocumentOfVersion1) {
  const std::string_view text = Text();
  EXPECT_EQ(text.substr(0, 3), "<?x") << "no byte order mark or blank before the declaration";
  const auto declaration = Elements(text, "?xml");
  ASSERT_EQ(declaration.size(), 1u);
  EXPECT_EQ(declaration[0].at("version"), "1.0");
  EXPECT_EQ(declaration[0].at("encoding"), "UTF-8");
  EXPECT_EQ(declaration[0].at("standalone"), "yes");
  const auto assembly = Elements(text, "assembly");
  ASSERT_EQ(assembly.size(), 1u);
  EXPECT_EQ(assembly[0].at("xmlns"), "urn:schemas-microsoft-com:asm.v1");
  EXPECT_EQ(assembly[0].at("manifestVersion"), "1.0");
}

TEST_F(ManifestTest, OwnIdentityAndOneDependencyOnCommonControls6) {
  const std::string_view text = Text();
  const auto identities = Elements(text, "assemblyIdentity");
  ASSERT_EQ(identities.size(), 2u);
  auto own = identities[0];
  EXPECT_FALSE(own["name"].empty());
  own.erase("name");
  EXPECT_EQ(own, (std::map<std::string, std::string>{
                     {"type", "win32"}, {"version", "1.0.0.0"}, {"processorArchitecture", "*"}}));
  EXPECT_EQ(Elements(text, "dependency").size(), 1u);
  EXPECT_EQ(Elements(text, "dependentAssembly").size(), 1u);
  EXPECT_LT(text.find("<assemblyIdentity"), text.find("<dependency"));
  EXPECT_EQ(identities[1],
            (std::map<std::string, std::string>{{"type", "win32"},
                                                {"name", "Microsoft.Windows.Common-Controls"},
                                                {"version", "6.0.0.0"},
                                                {"language", "*"},
                                                {"processorArchitecture", "*"},
                                                {"publicKeyToken", "6595b64144ccf1df"}}));
}

// Run as the user who starts it, as administrator only when started so, and
// never with file virtualization, which would put its files for a folder the
// user may not write to into a hidden copy elsewhere. Text in UTF-8 where
// Windows offers it (10, version 1903 on), so that every folder name works.
TEST_F(ManifestTest, RunsAsItsInvokerInUtf8AndAsksForNothingElse) {
  const std::string_view text = Text();
  const auto trust = Elements(text, "trustInfo");
  ASSERT_EQ(trust.size(), 1u);
  EXPECT_EQ(trust[0].at("xmlns"), "urn:schemas-microsoft-com:asm.v3");
  EXPECT_EQ(Elements(text, "security").size(), 1u);
  EXPECT_EQ(Elements(text, "requestedPrivileges").size(), 1u);
  EXPECT_EQ(Elements(text, "requestedExecutionLevel"),
            (std::vector<std::map<std::string, std::string>>{
                {{"level", "asInvoker"}, {"uiAccess", "false"}}}));
  const auto application = Elements(text, "application");
  ASSERT_EQ(application.size(), 1u);
  EXPECT_EQ(application[0].at("xmlns"), "urn:schemas-microsoft-com:asm.v3");
  EXPECT_EQ(Elements(text, "windowsSettings").size(), 1u);
  EXPECT_EQ(Elements(text, "activeCodePage"),
            (std::vector<std::map<std::string, std::string>>{
                {{"xmlns", "http://schemas.microsoft.com/SMI/2019/WindowsSettings"}}}));
  EXPECT_NE(text.find(">UTF-8</activeCodePage>"), std::string_view::npos);
  for (const char* absent : {"dpiAware", "dpiAwareness", "compatibility", "supportedOS"}) {
    EXPECT_EQ(text.find(absent), std::string_view::npos) << absent;
  }
}

// The point of the manifest: the system's loader, reading it from the
// program, hands out common controls 6.
TEST_F(ManifestTest, ActivatesCommonControls6) {
  const std::string path = ProgramPath();
  ACTCTXA context = {};
  context.cbSize = sizeof(context);
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = path.c_str();
  context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
  HANDLE activation = CreateActCtxA(&context);
  ASSERT_NE(activation, INVALID_HANDLE_VALUE)
      << "the loader rejects the manifest, error " << GetLastError();
  ULONG_PTR cookie = 0;
  const bool active = ActivateActCtx(activation, &cookie);
  HMODULE controls = active ? LoadLibraryA("comctl32.dll") : nullptr;
  if (active) DeactivateActCtx(0, cookie);
  ReleaseActCtx(activation);
  ASSERT_TRUE(active);
  ASSERT_NE(controls, nullptr);

  // Wine's copy answers DllGetVersion with 5.81 in either role, so ask where
  // it came from: the side-by-side store, not the system folder.
  char loaded[MAX_PATH] = {};
  GetModuleFileNameA(controls, loaded, MAX_PATH);
  CharLowerBuffA(loaded, static_cast<DWORD>(std::strlen(loaded)));
  EXPECT_NE(
      std::string_view(loaded).find("microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
      std::string_view::npos)
      << loaded;
  FreeLibrary(controls);
}

// --- Icon -----------------------------------------------------------------

#pragma pack(push, 2)
struct TGroupEntry {  // GRPICONDIRENTRY
  BYTE Width, Height, ColourCount, Reserved;
  WORD Planes, BitCount;
  DWORD BytesInRes;
  WORD Id;
};
#pragma pack(pop)
static_assert(sizeof(TGroupEntry) == 14);

struct TImageShape {
  int Size;
  int Bits;
};
constexpr TImageShape kImages[] = {{128, 8}, {64, 8},  {32, 8},  {128, 32}, {72, 32},
                                   {64, 32}, {48, 32}, {32, 32}, {24, 32},  {16, 32}};

// One icon image as Windows draws it: colour through the palette or alpha,
// transparency through the AND mask (8-bit) or alpha (32-bit).
class TIconImage {
 public:
  TIconImage(std::string_view bytes, int size, int bits)
      : FBytes(bytes), FSize(size), FBits(bits) {}

  size_t ExpectedBytes() const {
    return sizeof(BITMAPINFOHEADER) + PaletteBytes() + Stride() * FSize + MaskStride() * FSize;
  }

  // x and y from the top left.
  RGBQUAD Pixel(int x, int y) const {
    const size_t row = FSize - 1 - y;  // bottom-up
    const char* colours = FBytes.data() + sizeof(BITMAPINFOHEADER) + PaletteBytes();
    const char* mask = colours + Stride() * FSize + row * MaskStride();
    RGBQUAD pixel;
    if (FBits == 32) {
      std::memcpy(&pixel, colours + row * Stride() + 4 * x, 4);
    } else {
      const BYTE index = colours[row * Stride() + x];
      std::memcpy(&pixel, FBytes.data() + sizeof(BITMAPINFOHEADER) + 4 * index, 4);
      pixel.rgbReserved = (mask[x / 8] & (0x80 >> (x % 8))) ? 0 : 255;
    }
    return pixel;
  }

 private:
  size_t PaletteBytes() const { return FBits == 8 ? 256 * sizeof(RGBQUAD) : 0; }
  size_t Stride() const { return (FSize * FBits + 31) / 32 * 4; }
  size_t MaskStride() const { return (FSize + 31) / 32 * 4; }

  std::string_view FBytes;
  int FSize;
  int FBits;
};

double Luminance(RGBQUAD p) { return 0.299 * p.rgbRed + 0.587 * p.rgbGreen + 0.114 * p.rgbBlue; }
bool IsBlue(RGBQUAD p) {
  return p.rgbReserved > 200 && p.rgbBlue > p.rgbRed + 40 && p.rgbBlue > p.rgbGreen + 20;
}
bool IsGreen(RGBQUAD p) {
  return p.rgbReserved > 200 && p.rgbGreen > p.rgbRed + 20 && p.rgbGreen > p.rgbBlue + 20;
}

class IconTest : public ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    const std::string_view group = Bytes(RT_GROUP_ICON, "MAINICON");
    ASSERT_GE(group.size(), 6u);
    WORD header[3];
    std::memcpy(header, group.data(), sizeof(header));
    EXPECT_EQ(header[0], 0);
    EXPECT_EQ(header[1], 1) << "an icon, not a cursor";
    ASSERT_EQ(header[2], std::size(kImages));
    ASSERT_EQ(group.size(), 6 + header[2] * sizeof(TGroupEntry));
    FEntries.resize(header[2]);
    std::memcpy(FEntries.data(), group.data() + 6, group.size() - 6);
  }

  std::vector<TGroupEntry> FEntries;
};

TEST_F(IconTest, GroupListsTenImagesOfTheirSizesAndDepths) {
  for (size_t i = 0; i < FEntries.size(); ++i) {
    const TGroupEntry& entry = FEntries[i];
    SCOPED_TRACE(testing::Message() << kImages[i].Size << "x" << kImages[i].Size << " at "
                                    << kImages[i].Bits << " bpp");
    EXPECT_EQ(entry.Width, kImages[i].Size);
    EXPECT_EQ(entry.Height, kImages[i].Size);
    EXPECT_EQ(entry.BitCount, kImages[i].Bits);
    EXPECT_EQ(entry.Planes, 1);
    EXPECT_EQ(entry.ColourCount, 0) << "256 colours and more count as 0";
  }
}

TEST_F(IconTest, EachImageIsAnUncompressedBitmapWithMask) {
  for (size_t i = 0; i < FEntries.size(); ++i) {
    const TGroupEntry& entry = FEntries[i];
    SCOPED_TRACE(testing::Message() << "image " << entry.Id << ", " << int{entry.Width} << " px");
    const std::string_view bytes = Bytes(RT_ICON, MAKEINTRESOURCEA(entry.Id));
    ASSERT_EQ(bytes.size(), entry.BytesInRes);
    ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER));
    EXPECT_NE(bytes.substr(0, 4), "\x89PNG");
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes.data(), sizeof(header));
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, kImages[i].Size);
    EXPECT_EQ(header.biHeight, 2 * kImages[i].Size) << "colour bitmap and AND mask";
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, kImages[i].Bits);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(bytes.size(), TIconImage(bytes, kImages[i].Size, kImages[i].Bits).ExpectedBytes());

    HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                          static_cast<DWORD>(bytes.size()), TRUE, 0x00030000,
                                          kImages[i].Size, kImages[i].Size, LR_DEFAULTCOLOR);
    EXPECT_NE(icon, nullptr) << "the system does not take the image";
    if (icon) DestroyIcon(icon);
  }
}

// The picture at every size: corners clear, three to six o'clock green, the
// other quarters blue, each lighter towards the centre, and a dark rim.
TEST_F(IconTest, PieWithGreenLowerRightQuarterAndDarkRim) {
  for (size_t i = 0; i < FEntries.size(); ++i) {
    const int size = kImages[i].Size;
    SCOPED_TRACE(testing::Message() << size << "x" << size << " at " << kImages[i].Bits << " bpp");
    const std::string_view bytes = Bytes(RT_ICON, MAKEINTRESOURCEA(FEntries[i].Id));
    const TIconImage image(bytes, size, kImages[i].Bits);
    ASSERT_EQ(bytes.size(), image.ExpectedBytes());
    auto at = [&](double x, double y) { return image.Pixel(int(x * size), int(y * size)); };

    for (auto [x, y] : {std::pair{0.0, 0.0}, {0.99, 0.0}, {0.0, 0.99}, {0.99, 0.99}}) {
      EXPECT_EQ(at(x, y).rgbReserved, 0) << "corner " << x << ", " << y;
    }
    EXPECT_TRUE(IsGreen(at(0.7, 0.7)));
    EXPECT_TRUE(IsGreen(at(0.9, 0.55)));
    EXPECT_TRUE(IsGreen(at(0.55, 0.9)));
    for (auto [x, y] : {std::pair{0.3, 0.3}, {0.7, 0.3}, {0.3, 0.7}, {0.1, 0.45}, {0.45, 0.1}}) {
      EXPECT_TRUE(IsBlue(at(x, y))) << x << ", " << y;
    }
    EXPECT_GT(Luminance(at(0.45, 0.45)), Luminance(at(0.25, 0.25)) + 10);
    EXPECT_GT(Luminance(at(0.55, 0.55)), Luminance(at(0.72, 0.72)) + 10);

    // Down the middle from the top: the first pixel drawn in full belongs to
    // the rim, well darker than the blue beside it.
    int y = 0;
    while (y < size / 4 && image.Pixel(size / 2 - 1, y).rgbReserved < 200) ++y;
    EXPECT_LT(Luminance(image.Pixel(size / 2 - 1, y)), 0.6 * Luminance(at(0.3, 0.3)))
        << "row " << y;
  }
}

// --- Language -------------------------------------------------------------

using ResourceLanguageTest = IconTest;

TEST_F(ResourceLanguageTest, EachResourceOnceInEnglishUk) {
  const std::vector<WORD> kOnlyEnglishUk = {kEnglishUk};
  EXPECT_EQ(Languages(RT_VERSION, MAKEINTRESOURCEA(1)), kOnlyEnglishUk) << "version";
  EXPECT_EQ(Languages(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID), kOnlyEnglishUk)
      << "manifest";
  EXPECT_EQ(Languages(RT_GROUP_ICON, "MAINICON"), kOnlyEnglishUk) << "icon group";
  for (const TGroupEntry& entry : FEntries) {
    EXPECT_EQ(Languages(RT_ICON, MAKEINTRESOURCEA(entry.Id)), kOnlyEnglishUk)
        << "icon " << entry.Id;
  }
}

}  // namespace
}  // namespace brimvale
