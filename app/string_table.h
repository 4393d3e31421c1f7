#pragma once
// Every text the user sees, in every language of languages.h, as GBK (code
// page 936) bytes: the texts of string_texts.cpp, converted once.
#include "app/languages.h"

namespace lenscout {

constexpr int kStringRows = 56;
constexpr int kLanguageColumns = kLanguageCount;

// StringTable[row][column]: column 0 is English, column c language c + 1.
// Row 0 names the languages, each in its own; it is read from here
// directly and has no current text.
class GbkTable {
public:
    const char* const* operator[](int row) const;
};
extern const GbkTable StringTable;

// Makes the language's column current; any value outside the languages
// makes English current.
void SelectLanguage(int language);
// The row's text in the current language, for rows 1 to kStringRows - 1; English until
// the first selection. Any other row gives "".
const char* CurrentText(int row);

// The rows by what they say; row 0 names the languages.
enum TextRow {
    kTextBadGateway = 1,
    kTextBadDns = 2,
    kTextBadMask = 3,
    kTextBadAddress = 4,
    kTextBadPort = 5,
    kTextHttpPort = 6,
    kTextDnsServer = 7,
    kTextGateway = 8,
    kTextSubnetMask = 9,
    kTextIpAddress = 10,
    kTextObtainFromDhcp = 11,
    kTextCancel = 12,
    kTextErrorCamera = 13,
    kTextCannotConnect = 14,
    kTextIncorrectCredentials = 15,
    kTextCameraBusy = 16,
    kTextTimeOut = 17,
    kTextRefused = 18,
    kTextUnknownEcho = 19,
    kTextBadFirmwareFile = 20,
    kTextBadWebUiFile = 21,
    kTextCannotOpenFile = 22,
    kTextUser = 23,
    kTextPassword = 24,
    kTextUpgradeSystemFirmware = 25,
    kTextUpgradeWebUi = 26,
    kTextOk = 27,
    kTextDeviceId = 28,
    kTextFirmwareVersion = 29,
    kTextWebUiVersion = 30,
    kTextAutodetect = 31,
    kTextExit = 32,
    kTextTitle = 33,
    kTextSocketError = 34,
    kTextThreadError = 35,
    kTextSubnetMismatch = 36,
    kTextNoWebUi = 37,
    kTextAnonymous = 38,
    kTextBasicProperties = 39,
    kTextNetworkConfiguration = 40,
    kTextUpgradeFirmware = 41,
    // The upload's outcome and its image, beyond the first 41 texts.
    kTextUploadNotConfirmed = 42,
    kTextUploadBrokenOff = 43,
    kTextCannotReadFile = 44,
    kTextFileIsFolder = 45,
    kTextNotAFile = 46,
    // Devices that cannot all be believed.
    kTextIdConflict = 47,
    kTextTooManyDevices = 48,
    // An upload stopped before its end.
    kTextUploadTooSlow = 49,
    kTextUploadCancelled = 50,
    kTextAnsweredFrom = 51,  // the properties' sender of the reply
    // Why Windows may not shut down yet.
    kTextUploadRunning = 52,
    // The tray menu's choices of the search period.
    kTextSearchEverySecond = 53,
    kTextSearchEvery3s = 54,
    kTextSearchEvery10s = 55,
};

}  // namespace lenscout
