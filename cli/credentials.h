#pragma once
// The camera's user and password for a subcommand. The password is never
// an argument, where every user of the machine could read it: it comes from
// --password-file, LENSCOUT_PASSWORD, or a prompt without echo.
#include <string>

#include "discovery/camera_request.h"
#include "ui/dialog_texts.h"

namespace lenscout {

struct CredentialOptions {
    std::string user = kDefaultUser;  // as typed, in the terminal's encoding
    std::string passwordFile;         // "-" for standard input
};

// Reads the password from the first source that is there; false with
// `error` set when there is none or it cannot be read.
bool readPassword(const CredentialOptions& options, std::string* password, std::string* error);

// Store each in `credentials` as the dialogs do: in GBK, cut to the bytes a
// camera takes. The user comes first: when it is empty, storeUser is false
// and no password need be asked for.
bool storeUser(const std::string& user, Credentials* credentials);
// The typed password is wiped once it is stored.
void storePassword(std::string& password, Credentials* credentials);

// The opening of every command that logs in to cameras: the user checked
// and stored, then the password read and stored. Each is false with the
// reason said (after "`who`: " where given) and `*status` the exit status;
// nothing has been sent.
bool takeUser(const CredentialOptions& options, Credentials* credentials, int* status, const std::string& who = "");
bool takePassword(const CredentialOptions& options, Credentials* credentials, int* status);

// Whether every character typed exists in GBK, the only text a camera
// takes: one that does not would be dropped, and a password or ID would
// quietly become another. When not, says so under `what` and gives false.
bool fitsGbk(const std::string& what, const std::string& typed);

}  // namespace lenscout
