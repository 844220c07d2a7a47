#pragma once

#include <QUrl>

class AppContext;

/// Leaving the program: its help pages and the maker's web site.
namespace HelpAndWeb {

/// The maker's web site.
QUrl webSite();

/// Opens the edition's help page beside the program; says so when it cannot.
void pOpenHelp(AppContext &context);
/// Opens the web site in the browser; says so when it cannot.
void pOpenWebSite(AppContext &context);

} // namespace HelpAndWeb
