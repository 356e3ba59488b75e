// filled in by the write-sequence work
