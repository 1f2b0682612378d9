// The tree's image list: blank images first (image 0 is every placeholder's),
// then the desktop and computer images, then two images of each drive,
// folder and file item, its icon and directly behind it its open icon. When
// items go, their images go with them and the rest move down, so the list
// holds the images of exactly the items that exist.
#include <algorithm>
#include <cstring>
#include <map>

#include "platform/Shell.h"
#include "tree/FolderTreeCtrl.h"

namespace {
const int kDesktopIcon = 34;
const int kComputerIcon = 15;
const int kBlankBitmapSize = 32;
}  // namespace

// A bitmap of cx by cy pixels, all black with no alpha: added with black as
// the mask colour it gives images that draw nothing at all. A DIB section,
// so the pixels are known whatever the screen's depth; a device bitmap that
// the screen's DC refuses to select keeps whatever memory held (black).
static HBITMAP CreateBlankBitmap(int cx, int cy)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hbm && pBits)
        memset(pBits, 0, (size_t)cx * cy * 4);
    return hbm;
}

void CFolderTreeCtrl::SetUpImageList(int& nDesktopImage, int& nComputerImage)
{
    // With a mask, so that blank images and the icons' transparent parts
    // show the tree's own background, selected or not.
    m_imageList.Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK,
                       64, 256);
    m_imageList.SetBkColor(::GetSysColor(COLOR_WINDOW));

    // One blank bitmap, cut into as many blank images as its width holds.
    HBITMAP hBlank = CreateBlankBitmap(kBlankBitmapSize, kBlankBitmapSize);
    m_imageList.Add(hBlank, RGB(0, 0, 0));
    ::DeleteObject(hBlank);

    HINSTANCE hInstance = AfxGetInstanceHandle();
    HICON hDesktop = ExtractShellIcon(hInstance, kDesktopIcon);
    nDesktopImage = AppendImage(hDesktop);
    HICON hComputer = ExtractShellIcon(hInstance, kComputerIcon);
    nComputerImage = AppendImage(hComputer);
    if (hDesktop)
        ::DestroyIcon(hDesktop);
    if (hComputer)
        ::DestroyIcon(hComputer);
}

// Appends an icon and returns its index. Without an icon a blank image
// takes the slot: an item must own images of its own, or releasing it would
// remove someone else's (or, with index -1, every image of the list).
int CFolderTreeCtrl::AppendImage(HICON hIcon)
{
    int nImage = hIcon ? m_imageList.Add(hIcon) : -1;
    if (nImage == -1) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(m_imageList, &cx, &cy);
        HBITMAP hBlank = CreateBlankBitmap(cx, cy);
        nImage = m_imageList.Add(hBlank, RGB(0, 0, 0));
        ::DeleteObject(hBlank);
    }
    return nImage;
}

namespace {

// The icon's own bitmaps when they can be laid into a strip of cx by cy
// images as they are: a colour bitmap of that size.
bool IconBitmaps(HICON hIcon, int cx, int cy, ICONINFO& info)
{
    if (!::GetIconInfo(hIcon, &info))
        return false;
    BITMAP bm = {};
    if (info.hbmColor && ::GetObject(info.hbmColor, sizeof(bm), &bm) && bm.bmWidth == cx && bm.bmHeight == cy)
        return true;
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return false;
}

}  // namespace

// Appends one image per icon in a single step: the icons are laid side by
// side into one bitmap and its mask, which the list takes in one call,
// reading each image's alpha as it does for an icon. Asked icon by icon the
// list would grow and convert once per image (about a millisecond each
// under Wine); and a copy within the list drops an image's alpha.
int CFolderTreeCtrl::AppendImages(const std::vector<HICON>& icons)
{
    const int nFirst = m_imageList.GetImageCount();
    const int nCount = (int)icons.size();
    if (nCount == 0)
        return nFirst;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(m_imageList, &cx, &cy);

    // The slots of each icon: a branch has few distinct icons, each laid
    // into all its slots at once.
    std::map<HICON, std::vector<int>> slots;
    for (int i = 0; i < nCount; ++i)
        if (icons[i])
            slots[icons[i]].push_back(i);

    HBITMAP hbmStrip = CreateBlankBitmap(cx * nCount, cy);
    // Mask bits set: transparent, so a slot without an icon draws nothing.
    HBITMAP hbmMask = ::CreateBitmap(cx * nCount, cy, 1, 1, NULL);
    HDC hdcStrip = ::CreateCompatibleDC(NULL), hdcMask = ::CreateCompatibleDC(NULL);
    HDC hdcIcon = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOldStrip = ::SelectObject(hdcStrip, hbmStrip);
    HGDIOBJ hOldMask = ::SelectObject(hdcMask, hbmMask);
    HGDIOBJ hOldIcon = ::GetCurrentObject(hdcIcon, OBJ_BITMAP);
    ::PatBlt(hdcMask, 0, 0, cx * nCount, cy, WHITENESS);
    std::vector<int> odd;  // slots whose icon cannot go into the strip
    for (const auto& entry : slots) {
        ICONINFO info = {};
        if (!IconBitmaps(entry.first, cx, cy, info)) {
            odd.insert(odd.end(), entry.second.begin(), entry.second.end());
            continue;
        }
        ::SelectObject(hdcIcon, info.hbmColor);
        for (int i : entry.second)
            ::BitBlt(hdcStrip, cx * i, 0, cx, cy, hdcIcon, 0, 0, SRCCOPY);
        ::SelectObject(hdcIcon, info.hbmMask);
        for (int i : entry.second)
            ::BitBlt(hdcMask, cx * i, 0, cx, cy, hdcIcon, 0, 0, SRCCOPY);
        ::SelectObject(hdcIcon, hOldIcon);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
    ::SelectObject(hdcStrip, hOldStrip);
    ::SelectObject(hdcMask, hOldMask);
    ::DeleteDC(hdcStrip);
    ::DeleteDC(hdcMask);
    ::DeleteDC(hdcIcon);
    ImageList_Add(m_imageList, hbmStrip, hbmMask);
    ::DeleteObject(hbmStrip);
    ::DeleteObject(hbmMask);
    // A list that could not take the strip gets the images one by one.
    for (int i = m_imageList.GetImageCount() - nFirst; i < nCount; ++i)
        AppendImage(icons[i]);
    for (int i : odd)
        ImageList_ReplaceIcon(m_imageList, nFirst + i, icons[i]);
    return nFirst;
}

void CFolderTreeCtrl::SetImage(int nIndex, HICON hIcon)
{
    if (hIcon && ImageList_ReplaceIcon(m_imageList, nIndex, hIcon) >= 0)
        return;
    // No icon: the slot shows nothing.
    int cx = 0, cy = 0;
    ImageList_GetIconSize(m_imageList, &cx, &cy);
    HBITMAP hBlank = CreateBlankBitmap(cx, cy);
    HBITMAP hbmMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hbmMask);
    ::PatBlt(hdc, 0, 0, cx, cy, WHITENESS);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ImageList_Replace(m_imageList, nIndex, hBlank, hbmMask);
    ::DeleteObject(hBlank);
    ::DeleteObject(hbmMask);
}

// Gathers the images of every item below hItem, at every depth.
void CFolderTreeCtrl::CollectBranchImages(HTREEITEM hItem, std::vector<int>& images)
{
    for (HTREEITEM hChild = GetChildItem(hItem); hChild; hChild = GetNextSiblingItem(hChild)) {
        int nImage = 0, nSelectedImage = 0;
        GetItemImage(hChild, nImage, nSelectedImage);
        if (nImage != 0)
            images.push_back(nImage);
        if (nSelectedImage != 0 && nSelectedImage != nImage)
            images.push_back(nSelectedImage);
        CollectBranchImages(hChild, images);
    }
}

// Removes the images of deleted items from the list and renumbers the
// remaining items. The survivors above the lowest removed image move down
// in one pass and the list is cut once; the tree is walked once, and not at
// all when the removed images were the last of the list.
void CFolderTreeCtrl::ReleaseImages(std::vector<int>& images)
{
    int nCount = m_imageList.GetImageCount();
    std::sort(images.begin(), images.end());
    images.erase(std::unique(images.begin(), images.end()), images.end());
    // Image 0 is the placeholders' blank image and is never removed.
    images.erase(std::remove_if(images.begin(), images.end(), [nCount](int n) { return n <= 0 || n >= nCount; }),
                 images.end());
    if (images.empty())
        return;

    size_t nNext = 0;
    int nTo = images[0];
    for (int nFrom = images[0]; nFrom < nCount; ++nFrom) {
        if (nNext < images.size() && images[nNext] == nFrom) {
            ++nNext;
            continue;
        }
        ImageList_Copy(m_imageList, nTo++, m_imageList, nFrom, ILCF_MOVE);
    }
    ImageList_SetImageCount(m_imageList, nTo);

    if (nTo > images[0]) {
        ShiftImageIndexes(m_hComputerItem, images);
        ShiftImageIndexes(m_hDesktopItem, images);
    }
}

void CFolderTreeCtrl::ShiftImageIndexes(HTREEITEM hParent, const std::vector<int>& removed)
{
    auto shifted = [&removed](int n) {
        return n - (int)(std::lower_bound(removed.begin(), removed.end(), n) - removed.begin());
    };
    for (HTREEITEM hChild = GetChildItem(hParent); hChild; hChild = GetNextSiblingItem(hChild)) {
        int nImage = 0, nSelectedImage = 0;
        GetItemImage(hChild, nImage, nSelectedImage);
        int nNewImage = shifted(nImage), nNewSelectedImage = shifted(nSelectedImage);
        if (nNewImage != nImage || nNewSelectedImage != nSelectedImage)
            SetItemImage(hChild, nNewImage, nNewSelectedImage);
        if (ItemHasChildren(hChild))
            ShiftImageIndexes(hChild, removed);
    }
}

void CFolderTreeCtrl::SetIconSize(int cx, int cy)
{
    int cxNow = 0, cyNow = 0;
    ImageList_GetIconSize(m_imageList, &cxNow, &cyNow);
    if (!m_imageList.GetSafeHandle() || (cx == cxNow && cy == cyNow))
        return;
    // As many blank images as before, at the new size; then each item's
    // images drawn anew at its own indexes.
    const int nCount = m_imageList.GetImageCount();
    HIMAGELIST hOld = m_imageList.m_hImageList;
    m_imageList.m_hImageList = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, nCount, 256);
    m_imageList.SetBkColor(::GetSysColor(COLOR_WINDOW));
    AppendImages(std::vector<HICON>(nCount, (HICON)NULL));
    const struct {
        HTREEITEM hItem;
        int nIcon;
    } tops[] = {{m_hComputerItem, kComputerIcon}, {m_hDesktopItem, kDesktopIcon}};
    for (const auto& top : tops) {
        int nImage = 0, nSelectedImage = 0;
        if (!top.hItem || !GetItemImage(top.hItem, nImage, nSelectedImage))
            continue;
        HICON hIcon = ExtractShellIcon(AfxGetInstanceHandle(), top.nIcon, cx);
        SetImage(nImage, hIcon);
        if (hIcon)
            ::DestroyIcon(hIcon);
        RedrawBranchImages(top.hItem, cx);
    }
    HandImageListToTree();
    ImageList_Destroy(hOld);
}

void CFolderTreeCtrl::RedrawBranchImages(HTREEITEM hParent, int cx)
{
    for (HTREEITEM hChild = GetChildItem(hParent); hChild; hChild = GetNextSiblingItem(hChild)) {
        int nImage = 0, nSelectedImage = 0;
        GetItemImage(hChild, nImage, nSelectedImage);
        const CString strPath = GetShellPath(hChild);
        if (ItemName(hChild) && !strPath.IsEmpty() && nImage > 0) {
            for (int nOpen = 0; nOpen < 2; ++nOpen) {
                HICON hIcon = m_pShell->GetIcon(strPath, nOpen != 0, cx);
                SetImage(nOpen ? nSelectedImage : nImage, hIcon);
                if (hIcon)
                    ::DestroyIcon(hIcon);
            }
        }
        RedrawBranchImages(hChild, cx);
    }
}

void CFolderTreeCtrl::EndImageBatch()
{
    if (--m_nImageBatch == 0)
        HandImageListToTree();
}

// The tree draws from the list it was handed; handing it again after the
// list grew or shrank keeps the tree's view of it current.
void CFolderTreeCtrl::HandImageListToTree()
{
    SetImageList(&m_imageList, TVSIL_NORMAL);
}
