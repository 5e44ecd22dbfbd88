// NamedId: a name a scenario script may write for an id (`click IDC_PROCESS`
// for `click 1000`). A program hands the runner a table of them made from
// its own id constants, so a name always stands for the constant's value.
#pragma once

struct NamedId {
    const char* pszName;
    int nId;
};

// One entry from the constant itself: {"IDC_PROCESS", IDC_PROCESS}.
#define NAMED_ID(id) NamedId{#id, id}
