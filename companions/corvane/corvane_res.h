/* Resource ids of the full-client stand-in. */
#ifndef CORVANE_RES_H
#define CORVANE_RES_H

#define IDD_CORVANE     100
#define IDC_CV_URL      101

#endif
