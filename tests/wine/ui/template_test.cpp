// The compiled resources read back raw: dialog templates field by field, the icon's images, the bitmaps' depths.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog_table.h"
#include "resource.h"

namespace {

constexpr WORD LANG_EN_US = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

const BYTE *FindEnglishResource(const char *strType, UINT nId, DWORD *pSize)
{
    HMODULE hSelf = GetModuleHandleA(nullptr);
    HRSRC hInfo = FindResourceExA(hSelf, strType, MAKEINTRESOURCEA(nId), LANG_EN_US);
    if (!hInfo)
        return nullptr;
    *pSize = SizeofResource(hSelf, hInfo);
    return static_cast<const BYTE *>(LockResource(LoadResource(hSelf, hInfo)));
}

// Reads the fields of an extended dialog template in order.
struct TemplateReader {
    const BYTE *p;

    WORD Word()
    {
        WORD w;
        memcpy(&w, p, 2);
        p += 2;
        return w;
    }
    DWORD Dword()
    {
        DWORD dw;
        memcpy(&dw, p, 4);
        p += 4;
        return dw;
    }
    short Short() { return static_cast<short>(Word()); }
    std::string Text()
    {
        std::string str;
        for (WORD ch = Word(); ch != 0; ch = Word())
            str += static_cast<char>(ch);
        return str;
    }
    // A name or an ordinal: ordinals come back as "#n".
    std::string NameOrOrdinal()
    {
        WORD wFirst;
        memcpy(&wFirst, p, 2);
        if (wFirst == 0xFFFF) {
            p += 2;
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignDword(const BYTE *pBase) { p += (4 - (p - pBase) % 4) % 4; }
};

std::string ClassName(const std::string &strClass)
{
    if (strClass == "#128")
        return "Button";
    if (strClass == "#129")
        return "Edit";
    if (strClass == "#130")
        return "Static";
    return strClass;
}

TEST(DialogTemplate, EveryFieldMatches)
{
    for (const ExpectedDialog &dlg : EXPECTED_DIALOGS) {
        SCOPED_TRACE("dialog " + std::to_string(dlg.nId));
        DWORD nSize = 0;
        const BYTE *pBase = FindEnglishResource(MAKEINTRESOURCEA(5), dlg.nId, &nSize);
        ASSERT_NE(pBase, nullptr);
        TemplateReader rd{pBase};
        ASSERT_EQ(rd.Word(), 1);        // version
        ASSERT_EQ(rd.Word(), 0xFFFF);   // extended template signature
        rd.Dword();                     // help id
        EXPECT_EQ(rd.Dword(), 0u);      // extended style
        EXPECT_EQ(rd.Dword(), dlg.dwStyle);
        WORD nItems = rd.Word();
        ASSERT_EQ(nItems, dlg.nControls);
        EXPECT_EQ(rd.Short(), 0);
        EXPECT_EQ(rd.Short(), 0);
        EXPECT_EQ(rd.Short(), dlg.cx);
        EXPECT_EQ(rd.Short(), dlg.cy);
        EXPECT_EQ(rd.NameOrOrdinal(), "");  // no menu
        EXPECT_EQ(rd.NameOrOrdinal(), "");  // standard dialog class
        EXPECT_EQ(rd.Text(), dlg.strCaption);
        EXPECT_EQ(rd.Word(), 8);             // point size
        rd.Word();                           // weight
        rd.Word();                           // italic, character set
        EXPECT_EQ(rd.Text(), "MS Sans Serif");

        for (int i = 0; i < nItems; ++i) {
            const ExpectedControl &ctl = dlg.pControls[i];
            SCOPED_TRACE("control #" + std::to_string(i) + " id " + std::to_string(ctl.nId));
            rd.AlignDword(pBase);
            rd.Dword();                      // help id
            EXPECT_EQ(rd.Dword(), 0u);       // extended style
            EXPECT_EQ(rd.Dword(), ctl.dwStyle);
            EXPECT_EQ(rd.Short(), ctl.x);
            EXPECT_EQ(rd.Short(), ctl.y);
            EXPECT_EQ(rd.Short(), ctl.cx);
            EXPECT_EQ(rd.Short(), ctl.cy);
            EXPECT_EQ(static_cast<int>(rd.Dword()), ctl.nId);
            EXPECT_STRCASEEQ(ClassName(rd.NameOrOrdinal()).c_str(), ctl.strClass);
            std::string strText = rd.NameOrOrdinal();
            if (ctl.strText)
                EXPECT_EQ(strText, ctl.strText);
            else
                EXPECT_EQ(strText, "#" + std::to_string(ctl.nBitmap));
            WORD nExtra = rd.Word();
            rd.p += nExtra;
        }
        EXPECT_LE(static_cast<DWORD>(rd.p - pBase), nSize);
    }
}

struct ExpectedIconImage {
    int nWidth;
    int nHeight;
    int nBits;
};

TEST(IconResource, HoldsFiveImagesInOrder)
{
    const ExpectedIconImage IMAGES[] = {{32, 32, 4}, {32, 32, 1}, {48, 48, 8}, {32, 32, 8}, {16, 16, 4}};
    DWORD nSize = 0;
    const BYTE *pGroup = FindEnglishResource(MAKEINTRESOURCEA(14), IDI_APP, &nSize);
    ASSERT_NE(pGroup, nullptr);
    TemplateReader rd{pGroup};
    EXPECT_EQ(rd.Word(), 0);
    EXPECT_EQ(rd.Word(), 1);  // icons, not cursors
    ASSERT_EQ(rd.Word(), 5);
    for (const ExpectedIconImage &img : IMAGES) {
        SCOPED_TRACE(std::to_string(img.nWidth) + "x" + std::to_string(img.nBits));
        EXPECT_EQ(*rd.p++, img.nWidth);
        EXPECT_EQ(*rd.p++, img.nHeight);
        rd.p += 2;                   // colour count, reserved
        EXPECT_EQ(rd.Word(), 1);     // planes
        EXPECT_EQ(rd.Word(), img.nBits);
        DWORD nBytes = rd.Dword();
        WORD nImageId = rd.Word();
        DWORD nImageSize = 0;
        const BYTE *pImage = FindEnglishResource(MAKEINTRESOURCEA(3), nImageId, &nImageSize);
        ASSERT_NE(pImage, nullptr);
        EXPECT_EQ(nImageSize, nBytes);
        BITMAPINFOHEADER bih;
        memcpy(&bih, pImage, sizeof bih);
        EXPECT_EQ(bih.biWidth, img.nWidth);
        EXPECT_EQ(bih.biHeight, img.nHeight * 2);
        EXPECT_EQ(bih.biBitCount, img.nBits);
    }
}

TEST(BitmapResources, HaveTheirSizesAndDepths)
{
    struct {
        UINT nId;
        int nWidth;
        int nHeight;
        int nBits;
    } const BITMAPS[] = {{IDB_CHOICE_SIDEBAR, 97, 203, 8}, {IDB_POWERED_BY, 159, 48, 4}};
    for (const auto &bmp : BITMAPS) {
        SCOPED_TRACE("bitmap " + std::to_string(bmp.nId));
        DWORD nSize = 0;
        const BYTE *pBitmap = FindEnglishResource(MAKEINTRESOURCEA(2), bmp.nId, &nSize);
        ASSERT_NE(pBitmap, nullptr);
        BITMAPINFOHEADER bih;
        memcpy(&bih, pBitmap, sizeof bih);
        EXPECT_EQ(bih.biWidth, bmp.nWidth);
        EXPECT_EQ(bih.biHeight, bmp.nHeight);
        EXPECT_EQ(bih.biBitCount, bmp.nBits);
        EXPECT_EQ(bih.biCompression, static_cast<DWORD>(BI_RGB));
    }
}

TEST(StringResources, AreEnglish)
{
    // Strings live in blocks of sixteen: block n holds ids 16(n-1) to 16n-1.
    for (UINT nId : {200u, 301u, 400u, 500u, 600u, 700u, 800u}) {
        DWORD nSize = 0;
        EXPECT_NE(FindEnglishResource(MAKEINTRESOURCEA(6), nId / 16 + 1, &nSize), nullptr) << "id " << nId;
    }
}

}  // namespace
