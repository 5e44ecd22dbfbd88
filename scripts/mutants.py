#!/usr/bin/env python3
"""make mutants: a fixed sample of single-line faults, put into the sources one
at a time, each followed by an incremental build and the tests of `make test`.
A fault the tests notice is caught; one they pass with survived. It tells
whether the tests still catch what they caught before a change to them.

  scripts/mutants.py [--rows 3,7] [--every-test] [--build-dir build-mutants] [--jobs N]

Each fault is undone as soon as its tests have run, also when the run is
interrupted; a copy of the file stays in the build folder until then, so that
a run killed outright is repaired by the next one.
"""

import argparse
import os
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# file, the text to replace (found exactly once in the file), its
# replacement, and what the fault does. A statement that an if controls is
# replaced by {}, so that the if does not take the next one.
FAULTS = [
    ("merge/inputwave.cpp", "m_nDataBytes = header.nPresentBytes - header.nPresentBytes % nSampleBytes;",
     "m_nDataBytes = header.nPresentBytes - header.nPresentBytes % nSampleBytes * 0;",
     "a part of a sample at the end of an input is merged"),
    ("merge/mergeengine.cpp", "m_engine.CloseInputs();", "",
     "a failed merge leaves its inputs open"),
    ("merge/waveheader.cpp", "return nSize == ~0ull ? nSize : nSize + (nSize & 1);",
     "return nSize;", "an odd chunk's pad byte is not skipped"),
    ("merge/outputfile.cpp", "if (LeadsTo(pszPath, *pFile))", "if (false && LeadsTo(pszPath, *pFile))",
     "an output that names an input is not refused"),
    ("core/creplacingfile.cpp", "if ((old.st_mode & 0222) == 0)", "if (false)", "root replaces a read-only file"),
    ("layout/stemset.cpp", "if (strSuffix.GetLength() > nLongest", "if (strSuffix.GetLength() >= nLongest",
     "of equal suffixes the last row wins"),
    ("layout/settings.cpp", "if (nSuffixLine == 1)", "if (nSuffixLine <= 1)",
     "Front Right is read on the section's first line too"),
    ("core/creplacingfile.cpp", "    CFile::Remove(strTemporary);\n    return false;", "    return false;",
     "a failed save leaves its temporary file"),
    ("cli/configurationchoice.cpp", "if (nFound == 1)", "if (nFound >= 1)",
     "a name that two configurations match ignoring case is taken"),
    ("cli/mergejob.cpp", "IsStandardOutput(job.strOutputPath) ? stderr : stdout;",
     "IsStandardOutput(job.strOutputPath) ? stdout : stderr;", "the summary goes to the other stream"),
    ("cli/main.cpp", "? 128 + GetPendingInterrupt()", "? 127 + GetPendingInterrupt()",
     "the wrong exit status after a signal"),
    ("ui/maindlg.cpp", "if (nRow >= 0 && nRow < m_nChannelRows)", "if (nRow >= 0 && nRow <= m_nChannelRows)",
     "a command for the row past the last one is taken"),
    ("ui/maindlg.cpp", "dlgFile.m_ofn.Flags |= OFN_OVERWRITEPROMPT;", "",
     "the save dialog does not ask before replacing"),
    ("ui/maindlg.cpp", "int y = (rect.Height() - cyIcon + 1) / 2;", "int y = (rect.Height() - cyIcon) / 2;",
     "the minimised window's icon a pixel too high"),
    ("merge/mergeengine.cpp", "m_inputs.clear();", "",
     "a merge's inputs stay for the next merge"),
    ("ui/settingsdlg.cpp", 'AfxMessageBox("There is already a configuration with that name !");', "",
     "a name already taken is refused without a word"),
    ("ui/controlfont.cpp", 'std::strcpy(logFont.lfFaceName, "Arial");',
     'std::strcpy(logFont.lfFaceName, "Arial Narrow");', "the rows' font is not Arial"),
    ("platform/cwnd.cpp", "WORD nCode = lParam == 0 ? 0 : HIWORD(wParam);", "WORD nCode = HIWORD(wParam);",
     "a command without a control keeps its notification code"),
    ("platform/cwnd.cpp", "pWnd->m_currentMsg = saved;", "",
     "a nested message changes what Default() passes on"),
    ("platform/userinput.cpp", "if (hFocus && IsPushButton(hFocus))", "if (hFocus)",
     "Enter in an edit goes to the edit, not to the default button"),
    ("platform/userinput.cpp", "hControl->SetCurSel(-1);", "{}",
     "typing in a combo box keeps its selection"),
    ("platform/defwindowproc.cpp", "if (!hCancel || hCancel->IsEnabled())",
     "if (hCancel && hCancel->IsEnabled())", "the close box does nothing in a dialog without Cancel"),
    ("platform/cdialog.cpp", "CWnd::FromHandle(hOwner)->EnableWindow(TRUE);", "{}",
     "a modal dialog's owner stays disabled"),
    ("platform/comboboxproc.cpp", "for (int i = 1; i <= nCount; ++i)", "for (int i = 1; i < nCount; ++i)",
     "CB_FINDSTRINGEXACT never looks at the last item"),
    ("platform/afxmessagebox.cpp", "MessageBox(CModalStack::Top(),", "MessageBox(nullptr,",
     "a message box has no owner"),
    ("platform/cwinapp.cpp", "name.erase(nDot);", "{}",
     "the caption keeps the executable's extension"),
    ("core/cfile.cpp", "(candidate.writes && open.deniesWrite) || ", "",
     "a writer that takes no lock opens a file held with writing denied"),
    ("core/cfile.cpp", "Shares().Release(m_fd);", "",
     "a closed file stays in the share table"),
    ("core/cstdiofile.cpp", "if (m_readBuffer[m_readPos] == '\\n') {", "if (false) {",
     "CR LF reads as two line ends"),
    ("core/casefold.cpp", "return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;",
     "return c >= 'A' && c < 'Z' ? c - 'A' + 'a' : c;", "CompareNoCase does not fold 'Z'"),
    ("core/fileexists.cpp", "::stat(pszPathName, &st)", "::lstat(pszPathName, &st)",
     "a dangling symbolic link counts as a file"),
    ("platform/headless/scriptline.cpp", "nOffset = -nOffset;", "{}",
     "a scenario's NAME-N reads as NAME+N"),
    ("platform/qt/qtbackend.cpp", "!m_handlerRunning.back() &&", "",
     "a person's input acts while a handler runs"),
    ("platform/qt/qtbackend.cpp", "if (GetInterruptDescriptor() >= 0) {", "if (false) {",
     "an idle desktop program does not hear SIGTERM"),
    ("platform/qt/qtbuttonpeer.cpp", "== BS_DEFPUSHBUTTON);", "!= BS_DEFPUSHBUTTON);",
     "the default button is drawn on every other push button"),
    ("platform/qt/qtsimplecombopeer.cpp", "Qt::Key_Up ? -1 : 1", "Qt::Key_Up ? 1 : -1",
     "Up and Down swapped in a simple combo box"),
    # The formats, the split, the drops, the settings saves and the signals.
    ("merge/sampleformat.cpp", "nBitsPerSample == 8 ? 0x80 : 0x00;", "nBitsPerSample == 8 ? 0x00 : 0x00;",
     "8-bit silence is 0 instead of 0x80"),
    ("merge/outputheader.cpp", "out.U16(format.nValidBitsPerSample ? format.nValidBitsPerSample : format.nBitsPerSample);",
     "out.U16(format.nBitsPerSample);", "the valid bits are not carried"),
    ("merge/formatrule.cpp", "return nBits == 32 || nBits == 64;", "return nBits == 32;",
     "64-bit float is refused"),
    ("merge/waveheader.cpp", "m_nRiffSize &= ~1ull;", "{}", "an odd RIFF size is walked to its last byte"),
    ("merge/splitengine.cpp",
     "            return Fail(SplitOutcome::Interrupted, nullptr, FailureStage::InCopy);\n        const UINT nPart",
     "            {}\n        const UINT nPart", "a split goes on after a signal"),
    ("cli/splitjob.cpp", "if (bForce || existing.empty())", "if (true)", "existing stems are replaced without -f"),
    ("layout/stemset.cpp", "strConfiguration.GetLength() > nLongest &&", "nLongest == 0 &&",
     "of a split file's configuration names, the first is taken off, not the longest"),
    ("layout/stemset.cpp", "if (r == nFromRow || std::find(rowsToKeep.begin(), rowsToKeep.end(), r) != rowsToKeep.end())",
     "if (r == nFromRow)", "siblings replace the files dropped with the first"),
    ("ui/maindlg.cpp", "return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;",
     "return point.x >= rect.left && point.x < rect.right && point.y > rect.bottom;", "a drop on a row misses it"),
    ("platform/dropfiles.cpp", "if (iFile >= hDrop->files.size())", "if (iFile > hDrop->files.size())",
     "a drop reads past its last file"),
    ("layout/settings.cpp", "[](char c) { return c == '\\r' || c == '\\n'; }", "[](char c) { return c == '\\r'; }",
     "a line feed in a value is written as it is"),
    ("layout/settings.cpp", "if (!file.Open(pszPath, kTextRead) || file.IsDevice())", "if (!file.Open(pszPath, kTextRead))",
     "a device is read as a settings file"),
    ("app/mergeapp.cpp", "m_bKeepSettingsFile = !CReplacingFile::Copy(", "m_bKeepSettingsFile = !!CReplacingFile::Copy(",
     "an unusable settings file is not copied aside"),
    ("core/interruptsignals.cpp", "pInfo->si_pid == getpid()", "pInfo->si_pid != getpid()",
     "a file-size limit ends the program instead of failing the write"),
    ("merge/outputfile.cpp", "if (IsDirectOutput(pszPath)) {",
     "if (IsDirectOutput(pszPath) || std::strncmp(pszPath, \"/dev/\", 5) == 0) {",
     "a file under /dev/shm is written in place"),
    ("cli/jsontext.cpp", "if (c == '\"' || c == '\\\\') {", "if (c == '\"') {", "a backslash is not escaped in JSON"),
]

BUILD_SECONDS = 1800
TESTS_SECONDS = 900
TEST_SECONDS = 180  # one test's limit, for tests without their own


class Interrupted(Exception):
    pass


def OnSignal(nSignal, _frame):
    raise Interrupted(signal.Signals(nSignal).name)


def Run(command, nSeconds, cwd=ROOT):
    """Runs command in a process group of its own; (status, output), status
    None when it ran out of time (the group is then killed)."""
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               text=True, errors="replace", start_new_session=True)
    try:
        output, _ = process.communicate(timeout=nSeconds)
        return process.returncode, output
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        output, _ = process.communicate()
        return None, output
    except BaseException:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        raise


def Build(buildDir, nJobs):
    nStatus, output = Run(["cmake", "--build", str(buildDir), "-j", str(nJobs)], BUILD_SECONDS)
    return nStatus == 0, output


def RunTests(buildDir, nJobs, bEveryTest):
    """'caught' or 'survived', the failing tests' names, and what ctest said."""
    # A failing test runs once more: a test slowed down by a loaded machine
    # does not make a catch, a fault fails it twice.
    command = ["ctest", "-LE", "slow", "-j", str(nJobs), "--timeout", str(TEST_SECONDS), "--output-on-failure",
               "--repeat", "until-pass:2"]
    if not bEveryTest:
        command.append("--stop-on-failure")
    nStatus, output = Run(command, TESTS_SECONDS, cwd=buildDir)
    if nStatus is None:
        return "caught", ["(out of time)"], output
    failedList = output.partition("The following tests FAILED:")[2].split("\n\n")[0]
    failed = re.findall(r"^\s*\d+ - (\S+) \(", failedList, re.MULTILINE)
    return ("survived", [], output) if nStatus == 0 else ("caught", failed or ["(ctest failed)"], output)


class Restorer:
    """Puts one file back as it was; the copy in the build folder survives a
    killed run, and the next run puts the file back first."""

    def __init__(self, buildDir):
        self.marker = buildDir / "mutant-in-place"
        self.copy = buildDir / "mutant-original"

    def Save(self, relPath, original):
        self.copy.write_bytes(original)
        self.marker.write_text(relPath)

    def Restore(self):
        if not self.marker.exists():
            return None
        relPath = self.marker.read_text()
        (ROOT / relPath).write_bytes(self.copy.read_bytes())
        self.marker.unlink()
        self.copy.unlink()
        return relPath


def Unchanged(relPaths):
    return subprocess.run(["git", "diff", "--quiet", "--", *relPaths], cwd=ROOT).returncode == 0


def ParseRows(text):
    if not text:
        return list(range(1, len(FAULTS) + 1))
    rows = [int(part) for part in text.split(",") if part.strip()]
    for nRow in rows:
        if not 1 <= nRow <= len(FAULTS):
            sys.exit(f"mutants: there is no row {nRow} (1 to {len(FAULTS)})")
    return rows


def PrintTable(results):
    print()
    print(f"{'row':>3}  {'file':<40} {'fault':<66} result")
    for nRow, relPath, what, result, detail in results:
        print(f"{nRow:>3}  {relPath:<40} {what:<66} {result}{'  ' + detail if detail else ''}")
    counts = {}
    for *_, result, _ in results:
        counts[result] = counts.get(result, 0) + 1
    order = ["caught", "survived", "not applicable", "does not build"]
    totals = ", ".join(f"{counts[r]} {r}" for r in order if r in counts)
    print(f"\n{totals} of {len(results)}" if results else "\nno row was run")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--rows", help="only these rows, e.g. 3,7")
    parser.add_argument("--every-test", action="store_true",
                        help="run every test and name each one that fails, not just the first")
    parser.add_argument("--build-dir", default="build-mutants")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    args = parser.parse_args()
    rows = ParseRows(args.rows)
    buildDir = (ROOT / args.build_dir).resolve()
    buildDir.mkdir(exist_ok=True)
    for nSignal in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(nSignal, OnSignal)

    restorer = Restorer(buildDir)
    if (relPath := restorer.Restore()) is not None:
        print(f"mutants: {relPath} was left with a fault by an earlier run; it is restored")
    files = sorted({FAULTS[nRow - 1][0] for nRow in rows if (ROOT / FAULTS[nRow - 1][0]).exists()})
    if not Unchanged(files):
        sys.exit("mutants: commit or stash the changes to the files with faults first, "
                 "so that the run can show it leaves them as they were")

    results = []
    try:
        # The tree as it is must build and pass, or every fault would look caught.
        nStatus, output = Run(["cmake", "-S", str(ROOT), "-B", str(buildDir), "-DCMAKE_BUILD_TYPE=Release",
                               "-DPLEXORA_WERROR=OFF", "-DPLEXORA_SANITIZE=OFF"], BUILD_SECONDS)
        if nStatus == 0:
            bBuilt, output = Build(buildDir, args.jobs)
        if nStatus != 0 or not bBuilt:
            sys.exit(output[-3000:] + "\nmutants: the tree as it is does not build")
        result, failed, output = RunTests(buildDir, args.jobs, False)
        if result != "survived":
            sys.exit(output[-6000:] + f"\nmutants: the tests fail without any fault ({', '.join(failed)})")

        for nRow in rows:
            relPath, fragment, replacement, what = FAULTS[nRow - 1]
            path = ROOT / relPath
            original = path.read_bytes() if path.exists() else b""
            if original.count(fragment.encode()) != 1:
                results.append((nRow, relPath, what, "not applicable", "the text is not found exactly once"))
                print(f"row {nRow}: not applicable", flush=True)
                continue
            started = time.monotonic()
            restorer.Save(relPath, original)
            try:
                path.write_bytes(original.replace(fragment.encode(), replacement.encode()))
                bBuilt, buildOutput = Build(buildDir, args.jobs)
                if bBuilt:
                    result, failed, _ = RunTests(buildDir, args.jobs, args.every_test)
                else:
                    result, failed = "does not build", []
                    print(buildOutput[-2000:])
            finally:
                restorer.Restore()
            if path.read_bytes() != original:
                sys.exit(f"mutants: {relPath} could not be restored")
            results.append((nRow, relPath, what, result, " ".join(failed)))
            print(f"row {nRow}: {result} {' '.join(failed)} ({time.monotonic() - started:.0f} s)", flush=True)
    except Interrupted as e:
        print(f"\nmutants: stopped by {e}; the file with the fault is restored", flush=True)
        nExitCode = 130
    else:
        nExitCode = 0
    finally:
        restorer.Restore()

    PrintTable(results)
    if not Unchanged(files):
        sys.exit("mutants: the sources differ from what they were before the run")
    print("The sources are as they were (git diff --quiet).")
    return nExitCode


if __name__ == "__main__":
    sys.exit(main())
