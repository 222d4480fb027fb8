// Steps of the Action Area that belong to parts of the program not written yet. Each keeps
// its place in the window's handlers and does nothing until its own code replaces it here.
#include "workbook/WorkArea1.h"

// Text and reference views.
void WorkArea1::SSOption2_Click() {}     // shows the references in the rule for the entry
void WorkArea1::SSOption7_Click() {}     // shows the entry's additional information

// Reports.
void WorkArea1::SSCommand3_Click() {}        // opens the status report panel
void WorkArea1::PrintSafeguardsReport() {}   // the status report of the ticked groups
void WorkArea1::PrintSpecificationPage() {}  // the ticked texts of the entry as one page

