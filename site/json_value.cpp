#include "site/json_value.h"

#include <nlohmann/json.hpp>

namespace lenscout {

struct Json::Value {
    // Keys stay in the order they are written, as people read them.
    nlohmann::ordered_json j;
};

Json::Json() : value_(std::make_unique<Value>()) {}
Json::Json(std::unique_ptr<Value> value) : value_(std::move(value)) {}
Json::Json(const char* text) : value_(std::make_unique<Value>(Value{text})) {}
Json::Json(const std::string& text) : value_(std::make_unique<Value>(Value{text})) {}
Json::Json(bool value) : value_(std::make_unique<Value>(Value{value})) {}
Json::Json(int value) : value_(std::make_unique<Value>(Value{value})) {}
Json::Json(unsigned value) : value_(std::make_unique<Value>(Value{value})) {}
Json::Json(long value) : value_(std::make_unique<Value>(Value{value})) {}
Json::Json(unsigned long value) : value_(std::make_unique<Value>(Value{value})) {}
Json::Json(long long value) : value_(std::make_unique<Value>(Value{value})) {}
Json::Json(unsigned long long value) : value_(std::make_unique<Value>(Value{value})) {}

Json::Json(std::initializer_list<std::pair<const char*, Json>> members) : Json(object()) {
    for (const auto& [key, value] : members) set(key, value);
}

Json::Json(const Json& other) : value_(std::make_unique<Value>(*other.value_)) {}
Json& Json::operator=(const Json& other) {
    if (this != &other) value_ = std::make_unique<Value>(*other.value_);
    return *this;
}
Json::Json(Json&&) noexcept = default;
Json& Json::operator=(Json&&) noexcept = default;
Json::~Json() = default;

Json Json::object() { return Json(std::make_unique<Value>(Value{nlohmann::ordered_json::object()})); }
Json Json::array() { return Json(std::make_unique<Value>(Value{nlohmann::ordered_json::array()})); }

Json& Json::set(const std::string& key, const Json& value) {
    value_->j[key] = value.value_->j;
    return *this;
}

Json& Json::merge(const Json& object) {
    value_->j.update(object.value_->j);
    return *this;
}

Json& Json::push(const Json& value) {
    value_->j.push_back(value.value_->j);
    return *this;
}

std::string Json::text() const {
    return value_->j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

bool Json::parseObject(const std::string& line, Json* out) {
    nlohmann::ordered_json parsed = nlohmann::ordered_json::parse(line, nullptr, false);
    if (!parsed.is_object()) return false;
    *out = Json(std::make_unique<Value>(Value{std::move(parsed)}));
    return true;
}

bool Json::has(const std::string& key) const { return value_->j.is_object() && value_->j.contains(key); }

Json Json::member(const std::string& key) const {
    if (!has(key)) return Json();
    return Json(std::make_unique<Value>(Value{value_->j.at(key)}));
}

bool Json::isString() const { return value_->j.is_string(); }

std::string Json::str() const { return isString() ? value_->j.get<std::string>() : text(); }

}  // namespace lenscout
