// The Save As dialog that asks where a downloaded file goes.
#include "download/choice_dlg.h"

#include "download/save_name.h"
#include "download/save_proposal.h"
#include "launch/request.h"
#include "launch/strutil.h"
#include "resource.h"
#include "settings/settings.h"
#include "ui/dlgutil.h"

#include <commdlg.h>

#include <cstring>

constexpr int SAVE_TEXT_CAP = 100;
constexpr DWORD INITIAL_DIR_CAP = 1024;
// The capacity announced to the dialog, below the 260 of strSavePath.
constexpr DWORD SAVE_PATH_ANNOUNCED = 250;

BOOL PromptSaveAs(HWND hOwner, char *strPath)
{
    char strFilter[SAVE_TEXT_CAP + 1] = {};
    LoadStringA(hAppInstance, IDS_SAVE_FILTER, strFilter, SAVE_TEXT_CAP);
    ReplaceEveryChar(strFilter, '|', '\0');
    char strTitle[SAVE_TEXT_CAP] = {};
    LoadStringA(hAppInstance, IDS_SAVE_TITLE, strTitle, SAVE_TEXT_CAP);
    char strInitialDir[INITIAL_DIR_CAP] = {};
    ReadInitialDir(strInitialDir, INITIAL_DIR_CAP);

    ProposeSaveName(DownloadRequest.strRemoteFile, strPath, SAVE_PATH_ANNOUNCED);
    char strDefExt[DEFAULT_EXT_CAP] = {};
    bool bHasExt = FindDefaultExtension(strPath, strDefExt, DEFAULT_EXT_CAP);

    OPENFILENAMEA ofn;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = strFilter;
    ofn.lpstrFile = strPath;
    ofn.nMaxFile = SAVE_PATH_ANNOUNCED;
    ofn.lpstrInitialDir = strInitialDir;
    ofn.lpstrTitle = strTitle;
    ofn.lpstrDefExt = bHasExt ? strDefExt : nullptr;
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;
    BOOL bChosen = GetSaveFileNameA(&ofn);
    if (!bChosen)
        return 0;

    char strFolder[REQ_FILE_CAP];
    CopyToField(strFolder, REQ_FILE_CAP, strPath);
    int nSlash = IndexOfLastChar(strFolder, '\\');
    if (nSlash >= 0) {
        strFolder[nSlash] = '\0';
        WriteInitialDir(strFolder);
    }
    return bChosen;
}
