#include "shell/shell_parts.h"

#include <QApplication>

#include "e1/fastentry/tfi_fast_dil.h"
#include "e1/window/tfi_e1.h"
#include "platform/app_context.h"
#include "platform/system_lookups.h"
#include "records/index_window/tfi_entypa_list.h"
#include "shell/shell_files.h"
#include "shell/tfi_main.h"
#include "statement/window/tfi_eka.h"

namespace kestrana {

namespace {

std::vector<FilledCode> CodeLines(const std::vector<FilledCodeLine>& lines) {
    std::vector<FilledCode> out;
    out.reserve(lines.size());
    for (const FilledCodeLine& l : lines) out.push_back({l.code, l.value});
    return out;
}

}  // namespace

void OpenStatementFromE1(AppContext& context, const StatementHeader& h) {
    EkaHeader header;
    header.afm = h.taxNumber;
    header.doy = h.taxOffice;
    header.spouseAfm = h.spouseTaxNumber;
    header.bigName = h.names;
    header.spouseName = h.spouseNames;
    header.address = h.address;
    OpenStatement(context.edition, context.engine, context.dialogs, header, CodeLines(h.taxpayerCodes),
                  CodeLines(h.spouseCodes), QApplication::activeWindow());
}

std::optional<std::string> ChooseDeclaration(AppContext& context, DeclarationKind kind, QWidget* parent) {
    return ChooseDeclaration(context.dialogs, static_cast<int>(kind), parent);
}

void ShowFastEntryWindow(AppContext& context, QWidget* parent) { ShowFastEntry(context, parent); }

OldInstallPlaces CurrentOldInstallPlaces() {
    OldInstallPlaces places;
    places.programFilesDir = GetProgramFilesDir();
    places.loginName = GetLoginName();
#ifdef _WIN32
    places.usersRoot = "C:\\Users";
#else
    places.usersRoot = "/home";
#endif
    return places;
}

ShellHooks ShellHooks::Defaults() {
    ShellHooks hooks;
    hooks.createDeclarationWindow = [](DeclarationKind kind, AppContext& context) -> QWidget* {
        // The E2 form comes with a later version.
        if (kind != DeclarationKind::E1) return nullptr;
        return new TfiE1(context, &OpenStatementFromE1);
    };
    hooks.loadDeclaration = [](QWidget* window, DeclarationKind kind, AppContext&, const std::string& afm) {
        if (kind != DeclarationKind::E1) return;
        if (auto* e1 = qobject_cast<TfiE1*>(window)) {
            // A file that vanished meanwhile loads nothing; the window stays empty.
            e1->OpenDeclaration(afm);
            e1->SetModified(false);
        }
    };
    return hooks;
}

}  // namespace kestrana
