// Checks that this Wine prefix draws "MS Shell Dlg" as 8-point MS Sans Serif and
// has Marlett for the caption buttons. Wine falls back to whatever fonts the
// Linux host has, and a wider face silently breaks every layout measured in the
// window tests; this says so plainly instead.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct FaceReading {
    std::wstring face;
    TEXTMETRICW metrics{};
    SIZE sampleExtent{};
};

constexpr wchar_t kSample[] = L"Support Address 1 - The quick brown fox jumps over the lazy dog";

FaceReading ReadFace(HDC dc, const wchar_t* name, int points) {
    LOGFONTW request{};
    request.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    request.lfWeight = FW_NORMAL;
    request.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(request.lfFaceName, name, LF_FACESIZE);
    FaceReading reading;
    HFONT font = CreateFontIndirectW(&request);
    HGDIOBJ previous = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, face);
    reading.face = face;
    GetTextMetricsW(dc, &reading.metrics);
    GetTextExtentPoint32W(dc, kSample, lstrlenW(kSample), &reading.sampleExtent);
    SelectObject(dc, previous);
    DeleteObject(font);
    return reading;
}

bool IsRaster(const TEXTMETRICW& metrics) {
    return (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) == 0;
}

void Describe(const wchar_t* name, const FaceReading& reading) {
    std::printf("  \"%ls\" -> \"%ls\", %s, height %ld, average width %ld, sample %ld px\n", name,
                reading.face.c_str(), IsRaster(reading.metrics) ? "raster" : "outline",
                reading.metrics.tmHeight, reading.metrics.tmAveCharWidth, reading.sampleExtent.cx);
}

} // namespace

int wmain() {
    HDC dc = CreateCompatibleDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    const FaceReading dialog = ReadFace(dc, L"MS Shell Dlg", 8);
    const FaceReading sansSerif = ReadFace(dc, L"MS Sans Serif", 8);
    const FaceReading marlett = ReadFace(dc, L"Marlett", 8);
    DeleteDC(dc);

    // The metrics of 8-point MS Sans Serif at 96 dots per inch, Windows' own.
    const bool dialogFaceRight =
        dpi == 96 && sansSerif.face == L"MS Sans Serif" && IsRaster(sansSerif.metrics) &&
        sansSerif.metrics.tmHeight == 13 && sansSerif.metrics.tmAveCharWidth == 5 &&
        dialog.sampleExtent.cx == sansSerif.sampleExtent.cx &&
        dialog.metrics.tmHeight == sansSerif.metrics.tmHeight && IsRaster(dialog.metrics);
    const bool marlettThere =
        marlett.face == L"Marlett" && marlett.metrics.tmCharSet == SYMBOL_CHARSET;

    std::printf("Dialog face of this Wine prefix (%d dots per inch):\n", dpi);
    Describe(L"MS Shell Dlg", dialog);
    Describe(L"MS Sans Serif", sansSerif);
    Describe(L"Marlett", marlett);
    if (dialogFaceRight && marlettThere) {
        std::printf("as expected: \"MS Shell Dlg\" is 8-point MS Sans Serif, Marlett is there\n");
        return 0;
    }
    std::printf(
        "\nWRONG FONTS: the windows are laid out for \"MS Shell Dlg\" as 8-point MS Sans Serif\n"
        "(raster, height 13, average width 5 at 96 dpi) and caption buttons drawn with Marlett.\n"
        "This prefix took its fonts from the Linux host instead, so every layout test would\n"
        "measure the wrong face. To fix it: run tools/setup.sh (it installs Debian's\n"
        "fonts-wine), then delete the build tree's wine/ folder so that tools/wine-env.sh\n"
        "makes the prefix again with those fonts and the \"MS Shell Dlg\" substitute.\n");
    return 1;
}
