#include "cli/credentials.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

#include "app/string_table.h"
#include "cli/cli_messages.h"
#include "discovery/camera_text.h"
#include "platform/secrets.h"
#include "platform/terminal.h"
#include "platform/text_codecs.h"
#include "site/exit_status.h"
#include "ui/network_settings.h"

namespace lenscout {

namespace {

// The first line, without its line end.
bool firstLine(std::istream& in, std::string* line) {
    if (!std::getline(in, *line) && !in.eof()) return false;
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return true;
}

bool readPasswordFile(const std::string& path, std::string* password, std::string* error) {
    if (path == "-") {
        if (firstLine(std::cin, password)) return true;
        *error = "cannot read the password from standard input";
        return false;
    }
    if (readableByOthers(path))
        diagnose("warning: " + path + " can be read by other users; make it yours alone (chmod 600)");
    std::ifstream in(path);
    if (in && firstLine(in, password)) return true;
    *error = "cannot read the password file " + path + ": " + std::strerror(errno);
    return false;
}

std::string cut(const std::string& typed) { return cutGbkCredential(utf8ToGbk(terminalToUtf8(typed))); }

}  // namespace

// The password never reaches a core dump, nor the environment of anything
// started later.
bool readPassword(const CredentialOptions& options, std::string* password, std::string* error) {
    keepSecretsFromDumps();
    if (const char* fromEnvironment = std::getenv("LENSCOUT_PASSWORD")) {
        if (options.passwordFile.empty()) *password = fromEnvironment;
        forgetEnvironment("LENSCOUT_PASSWORD");
        if (options.passwordFile.empty()) return true;
    }
    if (!options.passwordFile.empty()) return readPasswordFile(options.passwordFile, password, error);
    if (isTerminal(StdStream::In) && readHiddenLine("Password: ", password)) return true;
    *error = "no password: set LENSCOUT_PASSWORD, give --password-file FILE, or run on a terminal";
    return false;
}

bool fitsGbk(const std::string& what, const std::string& typed) {
    if (const std::string text = terminalToUtf8(typed); gbkToUtf8(utf8ToGbk(text)) == text) return true;
    diagnose(what + " has a character that GBK cannot hold, which no camera could take: nothing was sent");
    return false;
}

void storePassword(std::string& password, Credentials* credentials) {
    std::string gbk = cut(password);
    setFieldText(credentials->password, gbk);
    wipe(gbk);
    wipe(password);
}

bool storeUser(const std::string& user, Credentials* credentials) {
    setFieldText(credentials->user, cut(user));
    return !fieldText(credentials->user).empty();
}

bool takeUser(const CredentialOptions& options, Credentials* credentials, int* status, const std::string& who) {
    *status = kExitInvalid;
    if (!fitsGbk("the user", options.user)) return false;
    if (storeUser(options.user, credentials)) return true;
    diagnose((who.empty() ? "" : who + ": ") + CurrentText(kTextIncorrectCredentials));
    return false;
}

bool takePassword(const CredentialOptions& options, Credentials* credentials, int* status) {
    *status = kExitUsage;
    std::string password, error;
    if (!readPassword(options, &password, &error)) return diagnose(error), false;
    *status = kExitInvalid;
    const bool fits = fitsGbk("the password", password);
    if (fits) storePassword(password, credentials);
    wipe(password);
    return fits;
}

}  // namespace lenscout
