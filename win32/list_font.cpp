#include "win32/list_font.h"

namespace lenscout {

namespace {

struct Faces {
    std::wstring preferred, gbk, any;
};

// The face found, and whether it holds GBK: asking a face for a character
// set it lacks makes Windows take another face, of any pitch.
struct Face {
    std::wstring name;
    bool gbk;
};

int CALLBACK takeFace(const LOGFONTW* font, const TEXTMETRICW* metric, DWORD type, LPARAM found) {
    auto* faces = reinterpret_cast<Faces*>(found);
    // The bit set means a variable pitch, whatever its name says.
    const bool fixed = !(metric->tmPitchAndFamily & TMPF_FIXED_PITCH);
    // Only TrueType faces scale to every DPI with the same widths; '@'
    // faces are vertical.
    if (!fixed || !(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == L'@') return 1;
    const std::wstring name = font->lfFaceName;
    if (name == L"NSimSun") faces->preferred = name;
    if (font->lfCharSet == GB2312_CHARSET && faces->gbk.empty()) faces->gbk = name;
    if (faces->any.empty()) faces->any = name;
    return 1;
}

const Face& listFace() {
    static const Face face = [] {
        Faces faces;
        LOGFONTW every{};
        every.lfCharSet = DEFAULT_CHARSET;
        HDC screen = GetDC(nullptr);
        EnumFontFamiliesExW(screen, &every, takeFace, reinterpret_cast<LPARAM>(&faces), 0);
        ReleaseDC(nullptr, screen);
        if (!faces.preferred.empty()) return Face{faces.preferred, true};
        if (!faces.gbk.empty()) return Face{faces.gbk, true};
        return Face{faces.any.empty() ? std::wstring(L"Courier New") : faces.any, false};
    }();
    return face;
}

}  // namespace

const std::wstring& listFontFace() { return listFace().name; }

HFONT makeListFont(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(14, static_cast<int>(dpi), 96);
    font.lfWeight = 600;
    font.lfCharSet = listFace().gbk ? GB2312_CHARSET : DEFAULT_CHARSET;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, listFontFace().c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

}  // namespace lenscout
