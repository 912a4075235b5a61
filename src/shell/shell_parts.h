#pragma once
// The pieces of other windows the main window reaches, in one place.
#include <optional>
#include <string>

class QWidget;

namespace kestrana {

struct AppContext;
struct OldInstallPlaces;
struct StatementHeader;
enum class DeclarationKind;

// The tax number chosen in the declarations index of the kind, or nothing.
std::optional<std::string> ChooseDeclaration(AppContext& context, DeclarationKind kind,
                                             QWidget* parent);

// The statement after the E1 window's clearance (its StatementOpener).
void OpenStatementFromE1(AppContext& context, const StatementHeader& header);

// Fast entry by codes, modal.
void ShowFastEntryWindow(AppContext& context, QWidget* parent);

// Where this machine keeps an earlier install (platform stand-ins).
OldInstallPlaces CurrentOldInstallPlaces();

}  // namespace kestrana
