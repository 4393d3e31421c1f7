// Replies on an upload connection: the input is cut into chunks (each chunk
// led by its length byte), fed to the reader as receives would, and the
// hello and login checks run behind it.
#include <cstddef>
#include <cstdint>

#include "protocol/stream_reader.h"
#include "upload/upgrade_session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lenscout;
    static const char kDeviceId[13] = "CAM000001";
    StreamReader reader;
    bool hello = true;
    for (size_t at = 0; at < size;) {
        const size_t chunk = data[at++] % 200 + 1;
        const size_t take = chunk < size - at ? chunk : size - at;
        reader.append(data + at, take);
        at += take;
        const UploadFailure failure = hello ? checkHelloReply(reader, kDeviceId) : checkLoginReply(reader);
        if (failure == UploadFailure::None) hello = !hello;
    }
    return 0;
}
