# Brasmire's own expectations for `plughost validate --profile`.
# Oversampling off and on are the two signal paths; on adds 64 samples.
setting-parameter Oversampling
latency 0 64
# Mix 0 is the dry input, delayed to line up with the processed path.
dry-parameter Mix 0
# The effect's own Bypass engages at 0: the input passes bit-exactly.
bypass-parameter Bypass 0
# The handle in the editor's bottom-right corner scales the whole editor.
editor-resizer
