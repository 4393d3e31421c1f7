#include "site/scan_format.h"

#include <cstdio>

#include "site/camera_json.h"

namespace lenscout {

namespace {

struct Field {
    const char* key;
    std::string value;
    bool quoted;
};

// The scanner's own text form: key=value, the camera's texts quoted.
std::string render(const std::vector<Field>& fields) {
    std::string out;
    for (const Field& f : fields)
        out += (out.empty() ? "" : " ") + std::string(f.key) + "=" + (f.quoted ? jsonString(f.value) : f.value);
    return out;
}

}  // namespace

// JSON has the one camera shape; the text line keeps scan's older keys.
std::string foundCameraLine(const CameraInfo& c, bool json) {
    if (json) {
        Json line = {{"event", "camera"}};
        line.merge(cameraObject(c, fieldsFor(kInScan)));
        return jsonText(line);
    }
    std::vector<Field> fields{{"event", "camera", false}};
    for (const CameraField* f : fieldsFor(kInScan)) {
        const std::string text = f->text(c, nullptr);
        fields.push_back({f->scanKey, text, f->kind == FieldKind::Text});
    }
    return render(fields);
}

std::string errorLine(int32_t code, bool json) {
    if (json) return jsonText({{"event", "error"}, {"code", code}});
    return render({{"event", "error", false}, {"code", std::to_string(code), false}});
}

std::string tickLine(uint32_t atMs, bool json) {
    if (json) return jsonText({{"event", "tick"}, {"at_ms", atMs}});
    return render({{"event", "tick", false}, {"at_ms", std::to_string(atMs), false}});
}

}  // namespace lenscout
