#pragma once
// The two kinds of declaration the program keeps, and which files of
// Tables belong to each. One definition for the index, the store, the
// headless tool and the main window.
#include <cstddef>
#include <string_view>

namespace kestrana {

enum class DeclarationKind { E1 = 1, E2 = 2 };

// "E1" / "E2": the start of the file name and the mark the index looks for.
constexpr const char* KindPrefix(DeclarationKind kind) { return kind == DeclarationKind::E2 ? "E2" : "E1"; }
// Bytes of the kind's record (6991 / 7620).
constexpr size_t RecordSizeOf(DeclarationKind kind) { return kind == DeclarationKind::E2 ? 7620 : 6991; }

// An entry of Tables counts as a declaration of the kind when its name holds
// "E1" ("E2") anywhere, letter case counting, as the index has always read it.
constexpr bool IsDeclarationFileName(std::string_view name, DeclarationKind kind) {
    return name.find(KindPrefix(kind)) != std::string_view::npos;
}
constexpr bool IsAnyDeclarationFileName(std::string_view name) {
    return IsDeclarationFileName(name, DeclarationKind::E1) || IsDeclarationFileName(name, DeclarationKind::E2);
}

}  // namespace kestrana
