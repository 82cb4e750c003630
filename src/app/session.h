// One open project shown in one lap grid, with the time evaluation hooked to
// the grid's events: the wiring the window and the command line share.
#pragma once

#include "app/time_eval.h"
#include "grid/column_policy.h"
#include "model/lap_env.h"
#include "model/laptime_project.h"
#include "model/ports.h"

#include <memory>
#include <optional>
#include <string>

class TLapGrid;

// What the grid may do with each of a sheet's columns: undo and row records
// keep the stored columns, text from another program lands in Best and Now.
TColumnPolicy SheetColumnPolicy();

// The grid as the window designs it (five columns with their widths,
// colours and read-only flags, row height, no gutter, no footer), with the
// environment's header texts, column sizing, header line and scroll
// threshold applied.
void SetupLapGrid(TLapGrid& Grid, const TLapEnv& Env);

// The environment's column titles and sizing, given to the grid again after
// the application settings changed.
void ApplyEnvToGrid(TLapGrid& Grid, const TLapEnv& Env);

// The sheet name an imported text file gives, in the code page as every
// stored text is.
std::string SheetNameOfFile(const std::string& Path);

class TSession {
  public:
    // The grid, selector and host must outlive the session.
    TSession(TLapGrid& Grid, SheetSelector& Selector, ProjectHost& Host);
    ~TSession();
    TSession(const TSession&) = delete;
    TSession& operator=(const TSession&) = delete;

    TLapGrid& Grid() { return FGrid; }
    SheetSelector& Selector() { return FSelector; }
    // Null only before the first project is made.
    TLaptimeProject* Project() { return FProject.get(); }
    const TLaptimeProject* Project() const { return FProject.get(); }
    TTimeEvaluator& Evaluator() { return FEvaluator; }

    // A project without a file: one new sheet titled "My New Project".
    void NewProject();
    // Reads FileName whole and only then replaces the open project, so a
    // missing or damaged file (EFileError) leaves everything as it was.
    void OpenProject(const std::string& FileName);
    // An empty project (no sheets) to fill by import.
    void EmptyProject();

    // Evaluates every row's Now column, as on opening a file.
    void EvaluateAllRows();

    // Opens FileName and shows sheet Sheet (0 is the first) evaluated, as the
    // window shows it; EFileError when the file has no such sheet.
    void OpenAndShowSheet(const std::string& FileName, int Sheet);

  private:
    std::optional<TEvalSettings> EvalSettings() const;

    TLapGrid& FGrid;
    SheetSelector& FSelector;
    ProjectHost& FHost;
    std::unique_ptr<TLaptimeProject> FProject;
    TTimeEvaluator FEvaluator;
};
