#pragma once
// A JSON value as the tools write and read them. Every JSON goes through
// nlohmann/json, but behind this one class: the library's templates are
// compiled in json_value.cpp alone, not in every file that writes JSON.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace lenscout {

class Json {
public:
    Json();  // null
    Json(const char* text);
    Json(const std::string& text);
    Json(bool value);
    Json(int value);
    Json(unsigned value);
    Json(long value);
    Json(unsigned long value);
    Json(long long value);
    Json(unsigned long long value);
    // An object of these members, in this order: {{"id", "CAM1"}, {"port", 80}}.
    Json(std::initializer_list<std::pair<const char*, Json>> members);
    Json(const Json& other);
    Json& operator=(const Json& other);
    Json(Json&&) noexcept;
    Json& operator=(Json&&) noexcept;
    ~Json();

    static Json object();
    static Json array();

    // An object's member, replaced where it is or added at the end.
    Json& set(const std::string& key, const Json& value);
    // The members of `object` set in this one, in their order.
    Json& merge(const Json& object);
    // An array's next element.
    Json& push(const Json& value);

    // One line, without its line end; text that is not UTF-8 is replaced
    // rather than thrown over.
    std::string text() const;

    // An object read from one line; false for anything else.
    static bool parseObject(const std::string& line, Json* out);
    bool has(const std::string& key) const;
    // The member, or null.
    Json member(const std::string& key) const;
    bool isString() const;
    // A string's text; any other value's JSON.
    std::string str() const;

private:
    struct Value;
    explicit Json(std::unique_ptr<Value> value);
    std::unique_ptr<Value> value_;
};

}  // namespace lenscout
