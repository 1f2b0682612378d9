// The orders of the name list, as a plain function of names, times and
// sizes: each order of one mixed folder, with equal keys and photos lacking
// a date among them.
#include <gtest/gtest.h>

#include "names/ListOrder.h"
#include "names/TakenDate.h"

namespace {

typedef std::vector<std::wstring> Names;

struct File {
    const wchar_t* name;
    ULONGLONG nModified;
    ULONGLONG nSize;
    const wchar_t* date;  // the photo's fields, "" for none
    const wchar_t* time;
};

}  // namespace

TEST(ListOrder, EachOrderSortsByItsKeyAndEqualKeysKeepTheNameOrder)
{
    // Listed in no order at all. Digit runs stay short: Wine's
    // StrCmpLogicalW parts from Windows' on long runs and leading zeros.
    const File files[] = {
        {L"track 10.mp3", 3, 300, L"", L""},
        {L"track 2.mp3", 1, 100, L"", L""},
        {L"IMG_9.jpg", 5, 50, L"2024-05-02", L"08.00.00"},
        {L"Track 1.mp3", 2, 100, L"", L""},
        {L"KakaoTalk_1.jpg", 4, 70, L"2024-05-02", L"08.00.00"},
        {L"img_100.jpg", 6, 20, L"2024-05-01", L"07.00.00"},
        {L"IMG_10.jpg", 4, 70, L"2024-05-01", L"23.59.59"},
        {L"scan.jpg", 7, 10, L"2024-13", L""},  // a date too malformed to count
    };
    std::vector<ListOrderKeys> keys;
    for (const File& f : files) {
        TagFields fields;
        if (*f.date)
            fields[TAG_FIELD_DATE] = f.date;
        if (*f.time)
            fields[TAG_FIELD_TIME] = f.time;
        keys.push_back({f.name, f.nModified, f.nSize, TakenTimeKey(fields)});
    }
    const struct {
        ListOrder order;
        Names expected;
    } cases[] = {
        {ORDER_BY_NAME,
         {L"IMG_10.jpg", L"img_100.jpg", L"IMG_9.jpg", L"KakaoTalk_1.jpg", L"scan.jpg", L"Track 1.mp3",
          L"track 10.mp3", L"track 2.mp3"}},
        {ORDER_EXPLORER,
         {L"IMG_9.jpg", L"IMG_10.jpg", L"img_100.jpg", L"KakaoTalk_1.jpg", L"scan.jpg", L"Track 1.mp3",
          L"track 2.mp3", L"track 10.mp3"}},
        {ORDER_BY_MODIFIED,
         {L"track 2.mp3", L"Track 1.mp3", L"track 10.mp3", L"IMG_10.jpg", L"KakaoTalk_1.jpg", L"IMG_9.jpg",
          L"img_100.jpg", L"scan.jpg"}},
        // Taken at the same second: by name. Without a date: last, by name.
        {ORDER_BY_TAKEN,
         {L"img_100.jpg", L"IMG_10.jpg", L"IMG_9.jpg", L"KakaoTalk_1.jpg", L"scan.jpg", L"Track 1.mp3",
          L"track 10.mp3", L"track 2.mp3"}},
        {ORDER_BY_SIZE,
         {L"scan.jpg", L"img_100.jpg", L"IMG_9.jpg", L"IMG_10.jpg", L"KakaoTalk_1.jpg", L"Track 1.mp3",
          L"track 2.mp3", L"track 10.mp3"}},
    };
    for (const auto& c : cases) {
        const std::vector<int> permutation = OrderFiles(keys, c.order);
        Names got;
        for (int i : permutation)
            got.push_back(files[i].name);
        EXPECT_EQ(got, c.expected) << "order " << c.order;
    }
}
