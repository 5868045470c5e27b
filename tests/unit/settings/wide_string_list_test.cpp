#include "settings/wide_file.h"
#include "settings/wide_string_list.h"

#include "settings/list_lines.h"
#include "settings/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace qrv {
namespace {

using ::testing::HasSubstr;
using testing::Lines;
using testing::ReadBytes;
using testing::TempFolder;
using ::testing::ThrowsMessage;
using testing::Utf16LeBytes;
using testing::WriteBytes;

// Counts Changed calls, whatever the update state.
class CountingList : public TWideStringList {
public:
    using TWideStringList::TWideStringList;
    void Changed() override {
        ++changes;
        TWideStringList::Changed();
    }
    int changes = 0;
};

// Records its own destruction.
class Tracked : public TLineObject {
public:
    explicit Tracked(std::vector<int>& log, int id) : log_(log), id_(id) {}
    ~Tracked() override { log_.push_back(id_); }

private:
    std::vector<int>& log_;
    int id_;
};

TEST(WideStringList, CallsChangedAfterEveryChangeToTheLinesOrTheirOrder) {
    CountingList list;
    list.Add(u"a");
    list.Insert(0, u"b");
    list.Put(1, u"c");
    list.PutObject(0, nullptr);
    list.Exchange(0, 1);
    list.Delete(0);
    EXPECT_EQ(list.changes, 6);
    list.Clear();
    EXPECT_EQ(list.changes, 7);
    list.Clear(); // nothing to clear, nothing changed
    EXPECT_EQ(list.changes, 7);
    list.SetCaseSensitive(true); // not a change to the lines
    EXPECT_EQ(list.changes, 7);
}

TEST(WideStringList, TellsOnChangeOnlyOutsideAnUpdate) {
    CountingList list;
    int notified = 0;
    list.OnChange = [&] { ++notified; };
    {
        TWideStringsUpdate update(list);
        list.Add(u"a");
        list.Add(u"b");
        EXPECT_EQ(list.UpdateCount(), 1);
    }
    EXPECT_EQ(list.changes, 3); // two adds, then the end of the update
    EXPECT_EQ(notified, 1);
    list.Add(u"c");
    EXPECT_EQ(notified, 2);
}

TEST(WideStringList, RejectsBadIndexes) {
    TWideStringList list;
    list.Add(u"a");
    EXPECT_THROW(list.Get(1), EStringListError);
    EXPECT_THROW(list.Get(-1), EStringListError);
    EXPECT_THROW(list.Put(1, u"x"), EStringListError);
    EXPECT_THROW(list.Delete(1), EStringListError);
    EXPECT_THROW(list.Exchange(0, 1), EStringListError);
    EXPECT_THROW(list.Insert(2, u"x"), EStringListError);
    EXPECT_NO_THROW(list.Insert(1, u"b"));
    EXPECT_EQ(Lines(list), (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(WideStringList, OwningListDeletesEachObjectWithItsLine) {
    std::vector<int> deleted;
    {
        TWideStringList list(TObjectOwnership::Owned);
        list.AddObject(u"one", std::make_unique<Tracked>(deleted, 1));
        list.AddObject(u"two", std::make_unique<Tracked>(deleted, 2));
        list.AddObject(u"three", std::make_unique<Tracked>(deleted, 3));
        list.Exchange(0, 2); // objects travel with their lines
        list.Delete(0);
        EXPECT_EQ(deleted, std::vector<int>{3});
        list.PutObject(0, new Tracked(deleted, 4));
        EXPECT_EQ(deleted, (std::vector<int>{3, 2}));
        EXPECT_THROW(list.PutObject(5, new Tracked(deleted, 5)), EStringListError);
        EXPECT_EQ(deleted, (std::vector<int>{3, 2, 5})); // taken even when refused
    }
    EXPECT_EQ(deleted.size(), 5u);
}

TEST(WideStringList, NonOwningListLeavesObjectsAlone) {
    std::vector<int> deleted;
    Tracked object(deleted, 1);
    {
        TWideStringList list;
        list.AddObject(u"a", &object);
        EXPECT_EQ(list.GetObject(0), &object);
        list.Clear();
        list.AddObject(u"a", &object);
        EXPECT_THROW(list.AddObject(u"b", std::make_unique<Tracked>(deleted, 2)), std::logic_error);
    }
    EXPECT_EQ(deleted, std::vector<int>{2}); // only the refused one, by its unique_ptr
}

TEST(WideStringList, AssignCopiesLinesButNotObjects) {
    std::vector<int> deleted;
    TWideStringList source(TObjectOwnership::Owned);
    source.AddObject(u"a", std::make_unique<Tracked>(deleted, 1));
    TWideStringList target;
    target.Add(u"old");
    target.Assign(source);
    EXPECT_EQ(Lines(target), std::vector<std::u16string>{u"a"});
    EXPECT_EQ(target.GetObject(0), nullptr);
    target.Assign(target);
    EXPECT_EQ(Lines(target), std::vector<std::u16string>{u"a"});
}

TEST(WideStringList, SplitsNamesAndValuesAtTheFirstEquals) {
    TWideStringList list;
    list.SetText(u"a=b=c\r\nplain\r\n=v\r\nKey=1\r\n");
    EXPECT_EQ(list.Names(0), u"a");
    EXPECT_EQ(list.ValueFromIndex(0), u"b=c");
    EXPECT_EQ(list.Names(1), u"");
    EXPECT_EQ(list.ValueFromIndex(1), u"");
    EXPECT_EQ(list.Names(2), u"");
    EXPECT_EQ(list.Values(u"key"), u"1");
    EXPECT_EQ(list.Values(u"plain"), u""); // a line without "=" has no name
    list.SetValue(u"KEY", u"2");
    EXPECT_EQ(list.Get(3), u"KEY=2");
    list.SetValue(u"new", u"x");
    EXPECT_EQ(list.Get(4), u"new=x");
    list.SetValue(u"a", u"");
    EXPECT_EQ(list.Count(), 4);
}

TEST(WideStringList, LinearLookupsFindTheFirstMatch) {
    TWideStringList list;
    list.SetText(u"x\nPath=C\nX\npath=D\n");
    EXPECT_EQ(list.IndexOf(u"X"), 0);
    EXPECT_EQ(list.IndexOfName(u"PATH"), 1);
    EXPECT_EQ(list.IndexOf(u"Path"), -1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf(u"X"), 2);
    EXPECT_EQ(list.IndexOfName(u"path"), 3);
    EXPECT_EQ(list.IndexOfName(u"PATH"), -1);
}

TEST(WideStringList, TextEndsEveryLineAndSetTextTakesAnyLineEnd) {
    TWideStringList list;
    list.SetText(u"a\r\nb\nc\rd\r\n\r\ne");
    EXPECT_EQ(Lines(list), (std::vector<std::u16string>{u"a", u"b", u"c", u"d", u"", u"e"}));
    EXPECT_EQ(list.Text(), u"a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
    list.SetText(u"");
    EXPECT_EQ(list.Count(), 0);
    list.SetText(u"\n");
    EXPECT_EQ(Lines(list), std::vector<std::u16string>{u""});
}

TEST(WideStringList, LoadsEachEncodingByItsByteOrderMark) {
    TempFolder folder;
    const auto file = folder.Path() / "lines.txt";
    const std::vector<std::u16string> expected = {u"\u041f\u4e2d", u"\u00e9"};
    TWideStringList list;

    WriteBytes(file, "\xFF\xFE" + Utf16LeBytes(u"\u041f\u4e2d\r\n\u00e9"));
    list.LoadFromFile(file.u16string());
    EXPECT_EQ(Lines(list), expected);

    WriteBytes(file, std::string("\xFE\xFF\x04\x1F\x4E\x2D\x00\n\x00\xE9", 10));
    list.LoadFromFile(file.u16string());
    EXPECT_EQ(Lines(list), expected);

    WriteBytes(file, "\xEF\xBB\xBF\xD0\x9F\xE4\xB8\xAD\r\xC3\xA9");
    list.LoadFromFile(file.u16string());
    EXPECT_EQ(Lines(list), expected);

    // No mark: the ANSI code page (1252 here and under Wine).
    WriteBytes(file, "caf\xE9\r\n\x80");
    list.LoadFromFile(file.u16string());
    EXPECT_EQ(Lines(list), (std::vector<std::u16string>{u"caf\u00e9", u"\u20ac"}));

    WriteBytes(file, "");
    list.LoadFromFile(file.u16string());
    EXPECT_EQ(list.Count(), 0);
}

TEST(WideStringList, SavesUtf16LeWithMarkAndCrLf) {
    TempFolder folder;
    const auto file = folder.Path() / u"\u041f\u0440\u043e\u0435\u043a\u0442.txt";
    TWideStringList list;
    list.Add(u"[S]");
    list.Add(u"k=\u4e2d");
    list.Add(u"");
    list.SaveToFile(file.u16string());
    EXPECT_EQ(ReadBytes(file), "\xFF\xFE" + Utf16LeBytes(u"[S]\r\nk=\u4e2d\r\n\r\n"));

    TWideStringList again;
    again.LoadFromFile(file.u16string());
    EXPECT_EQ(Lines(again), Lines(list));
}

TEST(WideStringList, ReportsFilesItCannotReadOrWrite) {
    TempFolder folder;
    TWideStringList list;
    EXPECT_THROW(list.LoadFromFile(folder.File(u"missing.txt")), EFileStreamError);
    EXPECT_THROW(list.LoadFromFile(folder.Path().u16string()), EFileStreamError);
    EXPECT_THROW(list.SaveToFile(folder.File(u"no/such/folder.txt")), EFileStreamError);
    EXPECT_THAT([&] { list.LoadFromFile(folder.File(u"missing.txt")); },
                ThrowsMessage<EFileStreamError>(HasSubstr("missing.txt")));
}

TEST(WideFileExists, IsTrueOnlyForFiles) {
    TempFolder folder;
    WriteBytes(folder.Path() / "present.ini", "x");
    EXPECT_TRUE(WideFileExists(folder.File(u"present.ini")));
    EXPECT_FALSE(WideFileExists(folder.File(u"absent.ini")));
    EXPECT_FALSE(WideFileExists(folder.Path().u16string()));
    EXPECT_FALSE(WideFileExists(u""));
}

} // namespace
} // namespace qrv
