// Shortening of a path for display: one component at a time becomes "...", keeping the
// beginning (normally the drive) and the end (normally the file name).
#ifndef FTPLINK_PATH_SHORTEN_H
#define FTPLINK_PATH_SHORTEN_H

// Each routine works on heap text (malloc) held at *pText. On success it frees the old
// text, stores the new one and returns nonzero; otherwise the text stays and the result is 0.
// Positions and lengths are in bytes.

// Replaces the text by its next shorter form; 0 when no step applies.
int ShortenPathOnce(char **pText);

// Removes the component after the ellipsis at nEllipsis.
int DropComponentAfterEllipsis(char **pText, int nLength, int nEllipsis);

// Removes the component before the ellipsis at nEllipsis, which has nBefore separators before it.
int DropComponentBeforeEllipsis(char **pText, int nLength, int nEllipsis, int nBefore);

// Replaces what lies between separators number nFirst and nSecond (from 0) by "...".
int ElideBetweenSeparators(char **pText, int nLength, int nFirst, int nSecond);

// Replaces everything before the first separator by "..."; returns that separator's position.
int ElideBeforeFirstSeparator(char **pText, int nLength);

#endif
