#pragma once

class Edition;
class Prompts;

namespace HelpFile {

/// Opens the edition's help file with the desktop's viewer; when there is none, or
/// it cannot be opened, says "Unable to open the Help files!".
void pOpenHelp(const Edition &edition, Prompts &prompts);

} // namespace HelpFile
