#pragma once

namespace sorvane {

class CResultsListCtrl;

// The columns of a results list as it starts: each as wide as its title needs
// (as SetTable leaves them), then the long ones widened by a factor of that:
// "Description" three times, "URL" six times, "Engine" twice; "Rank" and
// "Hits" keep their fitted widths. The results view and the colour preview of
// the Preferences both start so, and the preview shows its sample rows as the
// list will. Call once, right after SetTable. UI thread only.
void WidenResultColumns(CResultsListCtrl& list);

// The factor column `column` is widened by; 1 for a column without one.
int ResultColumnWidthFactor(int column);

}  // namespace sorvane
