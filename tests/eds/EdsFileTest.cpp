// filled in by the EDS work
