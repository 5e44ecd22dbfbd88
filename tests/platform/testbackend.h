// A backend for C++ tests of the window layer: each modal loop runs the next
// queued action, message boxes and file dialogs take queued answers, and
// peers (when asked for) log the icons they paint.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/resources.h"
#include "platform/windowrecord.h"

class CTestBackend : public IBackend, public IModalServices {
public:
    explicit CTestBackend(const ResourceTable* pResources)
    {
        AfxSetBackend(this);
        AfxSetResourceTable(pResources);
    }
    ~CTestBackend() override
    {
        AfxSetBackend(nullptr);
        AfxSetResourceTable(nullptr);
    }

    struct Box {
        CString strText;
        CString strCaption;
        HWND hOwner;
    };

    bool bWithPeers = false;
    std::deque<std::function<void(HWND)>> loopActions;
    std::deque<int> boxAnswers;
    std::vector<Box> boxes;
    std::deque<std::optional<CString>> fileAnswers;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> iconsDrawn;  // "x y id"

    std::unique_ptr<IWindowPeer> CreatePeer(CWindowRecord& /*window*/) override
    {
        if (!bWithPeers)
            return nullptr;
        return std::make_unique<CIconPeer>(*this);
    }
    IModalServices& ModalServices() override { return *this; }
    int LogicalDpi() const override { return 96; }

    void RunModalLoop(HWND hDialog) override
    {
        if (loopActions.empty()) {
            ADD_FAILURE() << "a modal loop with nothing to do: " << hDialog->Text().GetString();
        } else {
            auto action = std::move(loopActions.front());
            loopActions.pop_front();
            action(hDialog);
            if (CWindowRecord::IsWindow(hDialog) && !hDialog->IsDialogEnded())
                ADD_FAILURE() << "the dialog is still open: " << hDialog->Text().GetString();
        }
        if (CWindowRecord::IsWindow(hDialog))
            hDialog->SetDialogEnded(true);
    }
    void EndModalLoop(HWND /*hDialog*/) override {}

    int MessageBox(HWND hOwner, const CString& strText, const CString& strCaption, UINT /*nType*/) override
    {
        boxes.push_back({strText, strCaption, hOwner});
        return Next(boxAnswers, "an unexpected message box: " + strText.str()).value_or(IDOK);
    }

    bool GetFileName(const FileDialogRequest& request, CString& strPath) override
    {
        fileRequests.push_back(request);
        const std::optional<CString> answer = Next(fileAnswers, "an unexpected file dialog").value_or(std::nullopt);
        if (answer)
            strPath = *answer;
        return answer.has_value();
    }

private:
    // The next queued answer; none, with a failure, when none is left.
    template <class T>
    static std::optional<T> Next(std::deque<T>& answers, const std::string& strUnexpected)
    {
        if (answers.empty()) {
            ADD_FAILURE() << strUnexpected;
            return std::nullopt;
        }
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }

    class CIconPeer : public IWindowPeer {
    public:
        explicit CIconPeer(CTestBackend& backend) : m_backend(backend) {}
        void Update(WindowChange, int) override {}
        void DrawIcon(int x, int y, HICON hIcon) override
        {
            m_backend.iconsDrawn.push_back(std::to_string(x) + " " + std::to_string(y) + " " +
                                           std::to_string(hIcon ? hIcon->nId : 0));
        }

    private:
        CTestBackend& m_backend;
    };
};
