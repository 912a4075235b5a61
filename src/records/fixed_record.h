#pragma once
// A fixed-size declaration record: its bytes and typed access to its named
// fields. E1Record and E2Record are instances with their own field tables.
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "records/record_field.h"

namespace kestrana {

template <size_t N, const std::vector<RecordField>& (*FieldsOf)()>
class FixedRecord {
public:
    static constexpr size_t kSize = N;
    using Buffer = std::array<uint8_t, N>;

    void Clear() { bytes_.fill(0); }
    const Buffer& Bytes() const { return bytes_; }
    uint8_t* Data() { return bytes_.data(); }
    const uint8_t* Data() const { return bytes_.data(); }
    // Takes the first N bytes; a shorter buffer leaves the record unchanged
    // and returns false.
    bool FromBytes(std::span<const uint8_t> data) {
        if (data.size() < N) return false;
        for (size_t i = 0; i < N; ++i) bytes_[i] = data[i];
        return true;
    }

    static const std::vector<RecordField>& Fields() { return FieldsOf(); }
    // Case-insensitive; throws std::out_of_range for an unknown name.
    static const RecordField& Field(std::string_view name) {
        const RecordField* f = FindField(FieldsOf(), name);
        if (!f) throw std::out_of_range("no record field " + std::string(name));
        return *f;
    }

    std::string GetText(const RecordField& f) const { return field_io::GetText(bytes_.data(), f); }
    void SetText(const RecordField& f, std::string_view utf8) { field_io::SetText(bytes_.data(), f, utf8); }
    int64_t GetInt(const RecordField& f) const { return field_io::GetInt(bytes_.data(), f); }
    void SetInt(const RecordField& f, int64_t v) { field_io::SetInt(bytes_.data(), f, v); }
    double GetReal(const RecordField& f) const { return field_io::GetReal(bytes_.data(), f); }
    void SetReal(const RecordField& f, long double v) { field_io::SetReal(bytes_.data(), f, v); }
    bool GetBool(const RecordField& f) const { return field_io::GetBool(bytes_.data(), f); }
    void SetBool(const RecordField& f, bool v) { field_io::SetBool(bytes_.data(), f, v); }

    std::string GetText(std::string_view name) const { return GetText(Field(name)); }
    void SetText(std::string_view name, std::string_view utf8) { SetText(Field(name), utf8); }
    int64_t GetInt(std::string_view name) const { return GetInt(Field(name)); }
    void SetInt(std::string_view name, int64_t v) { SetInt(Field(name), v); }
    double GetReal(std::string_view name) const { return GetReal(Field(name)); }
    void SetReal(std::string_view name, long double v) { SetReal(Field(name), v); }
    bool GetBool(std::string_view name) const { return GetBool(Field(name)); }
    void SetBool(std::string_view name, bool v) { SetBool(Field(name), v); }

    // Avoid a string literal picking the bool overload of SetBool/SetText.
    void SetText(std::string_view name, const char* utf8) { SetText(Field(name), std::string_view(utf8)); }

protected:
    Buffer bytes_{};
};

}  // namespace kestrana
