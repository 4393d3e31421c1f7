#include "ui/failure_texts.h"

#include "app/string_table.h"

namespace lenscout {

namespace {

struct UploadFailureText {
    UploadFailure failure;
    int row;
    const char* reason;
};

// clang-format off
constexpr UploadFailureText kUploadFailures[] = {
    {UploadFailure::SocketError,      kTextSocketError,          "socket-error"},
    {UploadFailure::CannotConnect,    kTextCannotConnect,        "cannot-connect"},
    {UploadFailure::ConnectionClosed, kTextRefused,              "connection-closed"},
    {UploadFailure::NoReply,          kTextTimeOut,              "no-reply"},
    {UploadFailure::UnknownReply,     kTextUnknownEcho,          "unknown-reply"},
    {UploadFailure::CameraBusy,       kTextCameraBusy,           "camera-busy"},
    {UploadFailure::WrongCamera,      kTextErrorCamera,          "wrong-camera"},
    {UploadFailure::LoginRefused,     kTextIncorrectCredentials, "login-refused"},
    {UploadFailure::NotConfirmed,     kTextUploadNotConfirmed,   "not-confirmed"},
    {UploadFailure::BrokenOff,        kTextUploadBrokenOff,      "broken-off"},
    {UploadFailure::CannotOpenFile,   kTextCannotOpenFile,       "file-unreadable"},
    {UploadFailure::CannotReadFile,   kTextCannotReadFile,       "file-unreadable"},
    {UploadFailure::FileIsFolder,     kTextFileIsFolder,         "not-a-file"},
    {UploadFailure::NotAFile,         kTextNotAFile,             "not-a-file"},
    {UploadFailure::BadFirmwareImage, kTextBadFirmwareFile,      "bad-image"},
    {UploadFailure::BadWebUiImage,    kTextBadWebUiFile,         "bad-image"},
    {UploadFailure::TooSlow,          kTextUploadTooSlow,        "too-slow"},
    {UploadFailure::Cancelled,        kTextUploadCancelled,      "cancelled"},
};

constexpr struct {
    SettingsError error;
    int row;
} kSettingsErrors[] = {
    {SettingsError::BadPort,    kTextBadPort},
    {SettingsError::BadAddress, kTextBadAddress},
    {SettingsError::BadMask,    kTextBadMask},
    {SettingsError::BadGateway, kTextBadGateway},
    {SettingsError::BadDns,     kTextBadDns},
};
// clang-format on

const UploadFailureText* find(UploadFailure failure) {
    for (const UploadFailureText& t : kUploadFailures)
        if (t.failure == failure) return &t;
    return nullptr;
}

}  // namespace

int textRow(UploadFailure failure) {
    const UploadFailureText* t = find(failure);
    return t ? t->row : 0;
}

const char* reasonCode(UploadFailure failure) {
    const UploadFailureText* t = find(failure);
    return t ? t->reason : "socket-error";
}

int textRow(SettingsError error) {
    for (const auto& e : kSettingsErrors)
        if (e.error == error) return e.row;
    return 0;
}

}  // namespace lenscout
