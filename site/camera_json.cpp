#include "site/camera_json.h"

namespace lenscout {

namespace {

Json fieldValue(const CameraField& f, const CameraInfo& c, const InterfaceNames& names) {
    const std::string text = f.text(c, names);
    switch (f.kind) {
    case FieldKind::Number: return static_cast<long long>(std::stoll(text));
    case FieldKind::Boolean: return text == "1";
    case FieldKind::Text:
    case FieldKind::Dotted: break;
    }
    return text;
}

}  // namespace

Json cameraObject(const CameraInfo& c, const std::vector<const CameraField*>& fields, const InterfaceNames& names) {
    Json object = Json::object();
    for (const CameraField* f : fields) object.set(f->key, fieldValue(*f, c, names));
    return object;
}

Json settingsObject(const CameraInfo& c, DhcpMode dhcp) {
    Json object = Json::object();
    object.set("dhcp", dhcp == DhcpMode::Unknown ? Json("unknown") : Json(dhcp == DhcpMode::On));
    object.merge(cameraObject(c, fieldsFor(kInSettings)));
    return object;
}

}  // namespace lenscout
