/* Identifiers of the module's resources and the editor's controls. */
#ifndef VELMOK_WIZARD_RESOURCE_H
#define VELMOK_WIZARD_RESOURCE_H

#define IDC_TAGLIST 1000
#define IDC_ADD 1001
#define IDC_DELETE 1002
#define IDC_DELETEALL 1003
#define IDC_TAGNAME 1004

#define IDS_WIZARD_LONG 1  /* string 2n-1 of wizard 1 */
#define IDS_WIZARD_SHORT 2 /* string 2n of wizard 1 */

#endif
