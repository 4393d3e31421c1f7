#include "cli/scan_format.h"

#include <cstdio>

#include "cli/output_text.h"
#include "discovery/camera_text.h"
#include "platform/gbk.h"
#include "platform/socket.h"

namespace lenscout {

namespace {

struct Field {
    const char* key;
    std::string value;
    bool quoted;
};

std::string render(const Field* fields, size_t count, bool json) {
    std::string out = json ? "{" : "";
    for (size_t i = 0; i < count; ++i) {
        const Field& f = fields[i];
        if (i) out += json ? "," : " ";
        if (json) out += jsonString(f.key) + ":" + (f.quoted ? jsonString(f.value) : f.value);
        else
            out += std::string(f.key) + "=" + (f.quoted ? jsonString(f.value) : f.value);
    }
    return json ? out + "}" : out;
}

}  // namespace

namespace {

std::string jsonValue(const CameraField& f, const CameraInfo& c, const InterfaceNames& names) {
    const std::string text = f.text(c, names);
    switch (f.kind) {
    case FieldKind::Number: return text;
    case FieldKind::Boolean: return text == "1" ? "true" : "false";
    case FieldKind::Text: return jsonString(gbkToUtf8(text));
    case FieldKind::Dotted: break;
    }
    return jsonString(text);
}

}  // namespace

std::string cameraJson(const CameraInfo& c, const std::vector<const CameraField*>& fields,
                       const InterfaceNames& names) {
    std::string out = "{";
    for (const CameraField* f : fields)
        out += (out.size() > 1 ? ",\"" : "\"") + std::string(f->key) + "\":" + jsonValue(*f, c, names);
    return out + "}";
}

std::string networkSettingsJson(const CameraInfo& c, bool dhcp) {
    return std::string("{\"dhcp\":") + (dhcp ? "true" : "false") + "," +
           cameraJson(c, fieldsFor(kInSettings)).substr(1);
}

// The camera's own texts are quoted in both forms; dotted values only in
// JSON; numbers and scan's 1/0 never.
std::string foundCameraLine(const CameraInfo& c, bool json) {
    std::vector<Field> fields{{"event", "camera", json}};
    for (const CameraField* f : fieldsFor(kInScan)) {
        const std::string text = f->text(c, nullptr);
        const bool quoted = f->kind == FieldKind::Text || (json && f->kind == FieldKind::Dotted);
        fields.push_back({f->scanKey, f->kind == FieldKind::Text ? gbkToUtf8(text) : text, quoted});
    }
    return render(fields.data(), fields.size(), json);
}

std::string errorLine(int32_t code, bool json) {
    const Field fields[] = {{"event", "error", json}, {"code", std::to_string(code), false}};
    return render(fields, 2, json);
}

std::string tickLine(uint32_t atMs, bool json) {
    const Field fields[] = {{"event", "tick", json}, {"at_ms", std::to_string(atMs), false}};
    return render(fields, 2, json);
}

}  // namespace lenscout
