#pragma once
// Why an upload, or the image it carries, failed: the core's words. Each
// program chooses the text (a message box, a terminal line, a JSON reason)
// from the one table in ui/failure_texts.h.
namespace lenscout {

enum class UploadFailure {
    None,
    SocketError,
    CannotConnect,
    ConnectionClosed,  // the camera closed the connection before its reply
    NoReply,
    UnknownReply,
    CameraBusy,
    WrongCamera,  // another device answered at that address
    LoginRefused,
    NotConfirmed,  // every byte sent, and the camera never closed
    BrokenOff,     // the camera reset the connection at the end
    TooSlow,       // the camera took less than the throughput floor
    Cancelled,     // the user or the program stopped it; the camera keeps its image
    CannotOpenFile,
    CannotReadFile,
    FileIsFolder,
    NotAFile,
    BadFirmwareImage,
    BadWebUiImage,
};

}  // namespace lenscout
