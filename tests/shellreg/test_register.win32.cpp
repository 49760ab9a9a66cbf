// File type registration and tree deletion, called in-process against the registry.

#include "shellreg/UnitReg2.h"
#include "tests/shellreg/RegProbe.h"

#include <gtest/gtest.h>

#include <string>

using namespace regprobe;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveProductKeys();
        RemoveTree(HKEY_CURRENT_USER, ScratchKey);
    }
    void TearDown() override {
        RemoveProductKeys();
        RemoveTree(HKEY_CURRENT_USER, ScratchKey);
    }
    static constexpr const char* ScratchKey = "Software\\KelvoRegTreeTest";
};

// A key that exists only until the next restart. The registry refuses lasting subkeys below
// it, so creating one there fails as it would in a damaged or protected registry.
class TVolatileKey {
public:
    TVolatileKey(HKEY root, std::string path) : Root(root), Path(std::move(path)) {
        win::TRegKey key;
        Created = RegCreateKeyExA(Root, Path.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, key.put(), nullptr) == ERROR_SUCCESS;
    }
    ~TVolatileKey() { RemoveTree(Root, Path); }
    HKEY Root;
    std::string Path;
    bool Created = false;
};

} // namespace

TEST_F(RegistryTest, WritesEveryEntryOfTheThreeTypes) {
    RegisterFileTypes("C:\\Apps\\Demo\\Renamed copy.exe");
    const std::string kelvo = "C:\\Apps\\Demo\\Kelvo.exe";
    const std::string demo = "C:\\Apps\\Demo\\KelvoDemo.exe";
    const std::vector<std::pair<std::string, std::optional<std::string>>> expected = {
        {".Kelvo", "Norvane.Kelvo"},
        {"Norvane.Kelvo", "Norvane Tallier Scheme"},
        {"Norvane.Kelvo\\DefaultIcon", kelvo + ",0"},
        {"Norvane.Kelvo\\shell\\open\\command", "\"" + kelvo + "\" \"%1\""},
        {".KelvoUpd", "Norvane.KelvoUpd"},
        {"Norvane.KelvoUpd", "Norvane Tallier Update Pack"},
        {"Norvane.KelvoUpd\\DefaultIcon", kelvo + ",1"},
        {"Norvane.KelvoUpd\\shell\\open\\command", "\"" + kelvo + "\" \"%1\""},
        {".KelvoDemo", "Norvane.KelvoDemo"},
        {"Norvane.KelvoDemo", "Norvane Tallier Demo"},
        {"Norvane.KelvoDemo\\DefaultIcon", demo + ",0"},
        {"Norvane.KelvoDemo\\shell\\open\\command", "\"" + demo + "\" \"%1\""},
    };
    const auto entries = Snapshot();
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].second, expected[i].second) << "default value of " << entries[i].first;
}

TEST_F(RegistryTest, ProgramWithoutFolderRegistersBareNames) {
    RegisterFileTypes("KelvoDemo.exe");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "Norvane.Kelvo\\DefaultIcon"), "Kelvo.exe,0");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "Norvane.KelvoDemo\\shell\\open\\command"),
              "\"KelvoDemo.exe\" \"%1\"");
}

TEST_F(RegistryTest, TextValuesCountTheirTerminatingZero) {
    const win::TRegKey key = OpenRegKey(HKEY_CURRENT_USER, ScratchKey, true);
    ASSERT_TRUE(key) << "creating HKCU\\" << ScratchKey;
    WriteRegText(key.get(), nullptr, "Norvane.Kelvo");
    WriteRegText(key.get(), "Named", "");
    for (const char* name : {static_cast<const char*>(nullptr), "Named"}) {
        DWORD type = 0;
        DWORD size = 0;
        ASSERT_EQ(RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(size, name ? 1u : 14u) << "bytes stored for " << (name ? name : "(default)");
    }
    EXPECT_FALSE(OpenRegKey(HKEY_CURRENT_USER, std::string(ScratchKey) + "\\Missing", false))
        << "opening without create must not make the key";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(ScratchKey) + "\\Missing"));
}

TEST_F(RegistryTest, DeleteRegTreeRemovesWideAndDeepTrees) {
    const std::string root = std::string(ScratchKey) + "\\Tree";
    // Enough siblings that deleting while enumerating by index would leave some behind.
    for (int i = 0; i < 6; ++i) {
        const std::string child = root + "\\child" + std::to_string(i);
        ASSERT_TRUE(PutText(HKEY_CURRENT_USER, child + "\\a\\b\\c", "v", "deep"));
        ASSERT_TRUE(PutText(HKEY_CURRENT_USER, child + "\\x", nullptr, "x"));
        ASSERT_TRUE(PutText(HKEY_CURRENT_USER, child, "value", "kept?"));
    }
    ASSERT_TRUE(PutText(HKEY_CURRENT_USER, std::string(ScratchKey) + "\\Sibling", "s", "stays"));

    DeleteRegTree(HKEY_CURRENT_USER, root);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, root)) << "the tree root is left";
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, std::string(ScratchKey) + "\\Sibling", "s"), "stays")
        << "a sibling of the deleted tree was touched";

    DeleteRegTree(HKEY_CURRENT_USER, root); // gone already: nothing to do, nothing to fail
    DeleteRegTree(HKEY_CURRENT_USER, std::string(ScratchKey) + "\\No\\Such\\Key");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, ScratchKey));
}

TEST_F(RegistryTest, FailedRowStopsOnlyItselfAndTheRowsGoOn) {
    const TVolatileKey progId(HKEY_CLASSES_ROOT, "Norvane.KelvoUpd");
    ASSERT_TRUE(progId.Created);
    ASSERT_FALSE(OpenRegKey(HKEY_CLASSES_ROOT, progId.Path + "\\Probe", true))
        << "the platform makes lasting keys below a volatile one; this test cannot fail a row";

    RegisterFileTypes("C:\\Apps\\KelvoDemo.exe");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, ".KelvoUpd"), "Norvane.KelvoUpd");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "Norvane.KelvoUpd"), "Norvane Tallier Update Pack");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "Norvane.Kelvo\\shell\\open\\command"),
              "\"C:\\Apps\\Kelvo.exe\" \"%1\"");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, "Norvane.KelvoDemo\\shell\\open\\command"),
              "\"C:\\Apps\\KelvoDemo.exe\" \"%1\"")
        << "the row after the failed one was not written";
}
