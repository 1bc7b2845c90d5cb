#pragma once
// The process-wide language switch: the two lists of language frames (the default domain and
// the named domains), the switch that runs a frame's four phases, and the start-up language.

#include <string>

#include "runtime/DravikFrames.h"

namespace dravik {

// The lists exist from the first use until FinalizeLanguageFrames; then null until used again.
TLanguageFrames* DefaultDomainFrames();
TLanguageFrames* NamedDomainFrames();
// Creates both lists and, outside the design environment, takes the start-up language from the
// user's system language (not fixed). Runs on first use; again after finalization.
void InitializeLanguageFrames();
void FinalizeLanguageFrames();

// Switches the frame that holds notify; raises Exception while another switch is running.
void SetGlobalLanguage(const std::string& language, const TLanguageNotify& notify);
// Fixes the start-up language of both lists while no frame exists and none has existed.
void DefineStartupLanguage(const std::string& language);
// The English name of the user's system language; empty when the table does not know it.
void GetCurrentUserLanguage(std::string& language);

// Joins the frame of domain (TopLevel opens a new frame in the default domain); true when a
// frame was created.
bool RegisterLanguageNotify(const std::string& domain, bool topLevel,
                            const TLanguageNotify& notify);
void UnregisterLanguageNotify(const TLanguageNotify& notify);
std::string GetFrameDomain(const TLanguageNotify& notify);
std::string GetFrameLanguage(const TLanguageNotify& notify);
// The number of SetGlobalLanguage calls in progress.
int32_t GlobalSwitchDepth();

}  // namespace dravik
