#pragma once

#include <QUrl>

class Edition;
class Prompts;
class Shell;

/// Leaving the program: its help pages and the maker's web site.
namespace HelpAndWeb {

/// The maker's web site.
QUrl webSite();

/// Opens the edition's help page beside the program; says so when it cannot.
void pOpenHelp(const Edition &edition, Shell &shell, Prompts &prompts);
/// Opens the web site in the browser; says so when it cannot.
void pOpenWebSite(Shell &shell, Prompts &prompts);

} // namespace HelpAndWeb
