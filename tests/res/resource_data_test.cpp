#include <gtest/gtest.h>

#include <set>

#include "res/embedded_files.h"
#include "res/menus.h"
#include "res/resource_ids.h"
#include "res/strings.h"

namespace sorvane::res {
namespace {

std::vector<std::string_view> Texts(const std::vector<MenuEntry>& entries) {
  std::vector<std::string_view> texts;
  for (const MenuEntry& entry : entries) texts.push_back(entry.kind == MenuEntry::Kind::Separator ? "-" : entry.text);
  return texts;
}

TEST(MainMenu, PopupsItemsAndSeparatorsInOrder) {
  const std::vector<MenuEntry> menu = MainMenu();
  EXPECT_EQ(Texts(menu), (std::vector<std::string_view>{"&File", "&View", "&Go", "F&avorites", "&Help"}));
  EXPECT_EQ(Texts(menu[0].children),
            (std::vector<std::string_view>{"&Open...\tCtrl+O", "&Export Results...", "&Preferences", "-",
                                           "E&xit"}));
  EXPECT_EQ(Texts(menu[1].children),
            (std::vector<std::string_view>{"&Toolbar", "&Status Bar", "&Engines", "&Find in Results...\tCtrl+F",
                                           "Search &Report", "-", "Sto&p\tEsc", "&Refresh\tF5", "-", "Fo&nts"}));
  EXPECT_EQ(menu[1].children[4].id, 32794);
  EXPECT_EQ(Texts(menu[1].children[9].children),
            (std::vector<std::string_view>{"Lar&gest", "&Larger", "&Medium", "&Smaller", "Sm&allest"}));
  EXPECT_EQ(Texts(menu[2].children), (std::vector<std::string_view>{"&Back", "&Forward", "-", "&Start Page"}));
  EXPECT_EQ(Texts(menu[3].children), (std::vector<std::string_view>{"-"}));
  EXPECT_EQ(Texts(menu[4].children),
            (std::vector<std::string_view>{"&Contents", "&How to Use Sorvane", "-", "&Live Update", "-",
                                           "&Visit Tarnwell on the web", "&About Sorvane..."}));
  EXPECT_EQ(menu[1].children[0].kind, MenuEntry::Kind::Check);
  EXPECT_EQ(menu[0].children[0].id, 57601);
  EXPECT_EQ(menu[4].children[6].id, 57664);
  EXPECT_EQ(menu[1].children[9].children[0].id, 32782);
  EXPECT_EQ(menu[1].children[9].children[4].id, 32786);
}

TEST(OtherMenus, CategoryAndFontMenus) {
  const std::vector<MenuEntry> category = CategoryMenu();
  ASSERT_EQ(category.size(), 2u);
  EXPECT_EQ(category[0].id, 32774);
  EXPECT_EQ(category[0].text, "&New Search");
  EXPECT_EQ(category[1].id, 32775);
  EXPECT_EQ(Texts(FontMenu()), (std::vector<std::string_view>{"Largest", "Large", "Medium", "Small", "Smallest"}));
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(FontMenu()[i].id, 32782 + static_cast<int>(i));
}

TEST(OtherMenus, ResultRowMenuOffersTheFolderForFoundFiles) {
  EXPECT_EQ(Texts(ResultRowMenu(false)), (std::vector<std::string_view>{"&Open", "Open in &Browser", "-",
                                                                        "Copy &Address", "Copy &Description"}));
  EXPECT_EQ(Texts(ResultRowMenu(true)), (std::vector<std::string_view>{"&Open", "Open &Containing Folder", "-",
                                                                       "Copy &Address", "Copy &Description"}));
}

TEST(CommandPrompts, PromptBeforeNewlineTooltipAfter) {
  EXPECT_EQ(CommandPrompt(32773), "Edit the list of engines Sorvane uses to search the net");
  EXPECT_EQ(CommandTooltip(32773), "Engines");
  EXPECT_EQ(CommandPrompt(32771), "Edit Sorvane Options");
  EXPECT_EQ(CommandTooltip(32771), "");
  EXPECT_EQ(CommandPrompt(32793), "Change font size.");
  EXPECT_EQ(CommandTooltip(32793), "Fonts");
  EXPECT_EQ(CommandTooltip(59393), "Toggle StatusBar");
  // Back, Forward, the Favorites button and the Help items have none.
  for (int id : {32776, 32777, 32791, 32780, 32781, 32787, 32788}) {
    EXPECT_TRUE(CommandPrompt(id).empty()) << id;
    EXPECT_TRUE(CommandTooltip(id).empty()) << id;
  }
}

TEST(Toolbar, EightButtonsWithImageFiveUnused) {
  const std::vector<ToolbarButton> buttons = ToolbarButtons();
  ASSERT_EQ(buttons.size(), 8u);
  const int ids[] = {32776, 32777, 32778, 32779, 32789, 32791, 57607, 32793};
  const std::string_view texts[] = {"Back", "Forward", "Stop", "Refresh", "Home", "Favorites", "Print", "Font"};
  const int images[] = {0, 1, 2, 3, 4, 6, 7, 8};
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(buttons[i].id, ids[i]);
    EXPECT_EQ(buttons[i].text, texts[i]);
    EXPECT_EQ(buttons[i].image, images[i]);
    EXPECT_EQ(buttons[i].dropDown, i == 5 || i == 7);
  }
}

TEST(Accelerators, TableHoldsNeitherEscNorF5) {
  const std::vector<Accelerator> table = MainAccelerators();
  EXPECT_EQ(table.size(), 14u);
  std::set<int> commands;
  for (const Accelerator& entry : table) commands.insert(entry.command);
  EXPECT_EQ(commands, (std::set<int>{57634, 57635, 57637, 57643, 57600, 57601, 57603, 32781, 57680, 57681}));
  for (const Accelerator& entry : table) {
    EXPECT_NE(entry.command, ids::ID_VIEW_STOP);
    EXPECT_NE(entry.command, ids::ID_VIEW_REFRESH);
    if (entry.key == Accelerator::F1) {
      EXPECT_EQ(entry.command, 32781);
    }
  }
}

TEST(DocumentType, SevenPartsWithAnEmptyDocumentName) {
  EXPECT_EQ(DocumentTypePart(DocumentPart::WindowTitle), "Sorvane");
  EXPECT_EQ(DocumentTypePart(DocumentPart::DocumentName), "");
  EXPECT_EQ(DocumentTypePart(DocumentPart::NewFileName), "Sorvan");
  EXPECT_EQ(DocumentTypePart(DocumentPart::FilterName), "Sorvane Files (*.htm)");
  EXPECT_EQ(DocumentTypePart(DocumentPart::FilterExtension), ".htm");
  EXPECT_EQ(DocumentTypePart(DocumentPart::FileTypeId), "Sorvane.Document");
  EXPECT_EQ(DocumentTypePart(DocumentPart::FileTypeName), "Sorvan Document");
}

TEST(EmbeddedFiles, UnknownNameIsEmptyAndNamesAreSorted) {
  EXPECT_TRUE(EmbeddedFile("no-such-picture.bmp").empty());
  EXPECT_EQ(BitmapFileName(167), "bitmap_167.bmp");
  const std::vector<std::string_view> names = EmbeddedFileNames();
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  for (std::string_view name : names) EXPECT_FALSE(EmbeddedFile(name).empty()) << name;
}

}  // namespace
}  // namespace sorvane::res
