# The measured weight model of round brilliants: fitted on the training half of the diamonds
# table, checked against the numbers written in carat/weight_model.cpp, and summarised.
# Run by bench/accuracy.sh; it computes no estimate of its own: the estimates come from the C++
# program velastro-accuracy, this script only fits, takes quantiles and prints.
#   Rscript fit_weight_model.R stones RDATA-DIR OUT.csv   clean rows of the table, with their half
#   Rscript fit_weight_model.R fit STONES.csv MODEL.cpp   refits the coefficients, compares
#   Rscript fit_weight_model.R ranges EST.csv MODEL.cpp   refits the 90 % ranges, compares
#   Rscript fit_weight_model.R report EST.csv PLOTDIR     the accuracy tables and the plot data

args <- commandArgs(trailingOnly = TRUE)

# Reference stone of the proportion terms: 61.5 % depth, 57 % table, 6.5 mm (about 1 ct).
kRefDepthPct <- 61.5
kRefTablePct <- 57
kRefDiameter <- 6.5
# Size bands (ct) of the report (by weighed carat) and of the ranges (by the model's estimate).
kBands <- c(0, 0.5, 1, Inf)
kBandNames <- c("< 0.5 ct", "0.5-1 ct", ">= 1 ct")

# The diamonds table from the unpacked r-cran-ggplot2, without installing or loading ggplot2.
ReadDiamonds <- function(dir) {
  env <- new.env()
  lazyLoad(file.path(dir, "usr/lib/R/site-library/ggplot2/data/Rdata"), envir = env)
  stones <- as.data.frame(get("diamonds", envir = env))
  stones$row <- seq_len(nrow(stones))
  stones
}

# Clean rows: measured, nearly round, and a recorded depth % that agrees with the measures.
CleanStones <- function(stones) {
  mean_diameter <- (stones$x + stones$y) / 2
  clean <- stones$x > 0 & stones$y > 0 & stones$z > 0 & abs(stones$x / stones$y - 1) <= 0.10 &
    abs(stones$depth - stones$z / mean_diameter * 100) <= 1
  stones <- stones[clean, ]
  stones$half <- ifelse(stones$row %% 2 == 0, "train", "report")
  stones
}

WriteStones <- function(dir, out) {
  stones <- CleanStones(ReadDiamonds(dir))
  write.csv(stones[, c("row", "half", "carat", "x", "y", "z", "table")], out,
            row.names = FALSE, quote = FALSE)
  cat(sprintf("clean rows: %d training, %d reporting\n", sum(stones$half == "train"),
              sum(stones$half == "report")))
}

# Median (least absolute) regression by iteratively reweighted least squares, run to a fixed point.
MedianRegression <- function(x, y) {
  beta <- qr.solve(x, y)
  for (step in 1:5000) {
    weights <- 1 / pmax(abs(as.vector(y - x %*% beta)), 1e-9)
    next_beta <- lm.wfit(x, y, weights)$coefficients
    if (max(abs(next_beta - beta)) < 1e-13) break
    beta <- next_beta
  }
  next_beta
}

# log(carat / (d^2 h)) = log k + a (depth% - 61.5) + b (table% - 57) + c (d - 6.5), on the
# training half only; without table % the b term is left out.
FitCoefficients <- function(stones) {
  train <- stones[stones$half == "train", ]
  d <- (train$x + train$y) / 2
  y <- log(train$carat / (d^2 * train$z))
  depth_term <- train$z / d * 100 - kRefDepthPct
  size_term <- d - kRefDiameter
  with_table <- MedianRegression(cbind(1, depth_term, train$table - kRefTablePct, size_term), y)
  without_table <- MedianRegression(cbind(1, depth_term, size_term), y)
  c(kTableVolume = exp(with_table[[1]]), kTablePerDepthPoint = with_table[[2]],
    kTablePerTablePoint = with_table[[3]], kTablePerMillimetre = with_table[[4]],
    kPlainVolume = exp(without_table[[1]]), kPlainPerDepthPoint = without_table[[2]],
    kPlainPerMillimetre = without_table[[3]])
}

# The literal of "constexpr double NAME = LITERAL;" in the C++ source, as text.
WrittenConstant <- function(source, name) {
  line <- grep(paste0("constexpr double ", name, " = "), source, value = TRUE, fixed = TRUE)
  if (length(line) != 1) stop("no single constant ", name, " in the model source")
  sub(".*= *([-0-9.eE+]+);.*", "\\1", line)
}

# Decimals of a written literal: its printed digits.
Decimals <- function(literal) {
  if (!grepl(".", literal, fixed = TRUE)) return(0)
  nchar(sub(".*\\.", "", literal))
}

# TRUE when every refitted value rounds to the written one at its printed digits.
CompareValues <- function(names, refit, written) {
  ok <- TRUE
  for (i in seq_along(names)) {
    places <- Decimals(written[[i]])
    same <- abs(refit[[i]] - as.numeric(written[[i]])) <= 0.5 * 10^-places * (1 + 1e-9)
    cat(sprintf("  %-32s written %-10s refit %.*f%s\n", names[[i]], written[[i]], places + 2,
                refit[[i]], if (same) "" else "   DIFFERS"))
    ok <- ok && same
  }
  ok
}

CheckCoefficients <- function(stones_csv, model_cpp) {
  refit <- FitCoefficients(read.csv(stones_csv))
  source <- readLines(model_cpp)
  written <- sapply(names(refit), function(name) WrittenConstant(source, name))
  cat("coefficients (training half):\n")
  if (!CompareValues(names(refit), refit, written)) quit(status = 1)
}

# The rows {upper band bound, low, high} of a C++ range table "NAME[] = {...};".
WrittenRanges <- function(source, name) {
  text <- paste(source, collapse = "\n")
  body <- regmatches(text, regexpr(paste0(name, "\\[\\] = \\{[^;]*;"), text))
  if (length(body) != 1) stop("no range table ", name, " in the model source")
  rows <- regmatches(body, gregexpr("\\{[^{}]*\\}", body))[[1]]
  lapply(rows, function(row) trimws(strsplit(gsub("[{}]", "", row), ",")[[1]]))
}

# low and high: the 5th and 95th percentiles of weighed / estimate in each band of the estimate.
FitRanges <- function(estimate, weighed) {
  band <- cut(estimate, kBands, right = FALSE)
  ratio <- weighed / estimate
  lapply(levels(band), function(b) quantile(ratio[band == b], c(0.05, 0.95), names = FALSE))
}

kRangeTables <- c(kWindowRanges = "window", kTableRanges = "measured_table",
                  kPlainRanges = "measured_plain")

CheckRanges <- function(estimates_csv, model_cpp) {
  estimates <- read.csv(estimates_csv)
  train <- estimates[estimates$half == "train", ]
  source <- readLines(model_cpp)
  ok <- TRUE
  for (table in names(kRangeTables)) {
    refit <- FitRanges(train[[kRangeTables[[table]]]], train$carat)
    written <- WrittenRanges(source, table)
    cat(sprintf("90 %% range factors %s (training half):\n", table))
    for (i in seq_along(refit)) {
      ok <- CompareValues(paste(kBandNames[[i]], c("low", "high")), refit[[i]],
                          written[[i]][2:3]) && ok
    }
  }
  if (!ok) quit(status = 1)
}

kEstimators <- c(window = "window (B/2*B/2*G*.0245)*1.05", rule = "field rule d^2 x h x 0.0061",
                 measured_plain = "measured, without table %", measured_table = "measured, with table %")

# Bias, median absolute error, 90th and 95th percentile of |estimate / weighed - 1|, in %.
Errors <- function(estimate, weighed) {
  error <- estimate / weighed - 1
  100 * c(median(error), median(abs(error)), quantile(abs(error), c(0.9, 0.95), names = FALSE))
}

PrintErrorTable <- function(estimates) {
  cat("\nerror of estimate / weighed - 1, in %; bands by weighed carat\n")
  cat(sprintf("%-40s | %-35s | %s\n", "", "training half (fitted on)", "reporting half"))
  cat(sprintf("%-30s %-9s | %6s %7s %6s %6s %6s | %6s %7s %6s %6s %6s\n", "estimator", "band",
              "stones", "bias", "median", "p90", "p95", "stones", "bias", "median", "p90", "p95"))
  bands <- c("all", kBandNames)
  for (name in names(kEstimators)) {
    for (b in seq_along(bands)) {
      halves <- lapply(c("train", "report"), function(h) {
        part <- estimates[estimates$half == h, ]
        band <- cut(part$carat, kBands, right = FALSE, labels = kBandNames)
        if (b > 1) part <- part[band == bands[[b]], ]
        list(n = nrow(part), e = Errors(part[[name]], part$carat))
      })
      cat(sprintf("%-30s %-9s | %6d %+7.2f %6.2f %6.2f %6.2f | %6d %+7.2f %6.2f %6.2f %6.2f\n",
                  if (b == 1) kEstimators[[name]] else "", bands[[b]], halves[[1]]$n,
                  halves[[1]]$e[1], halves[[1]]$e[2], halves[[1]]$e[3], halves[[1]]$e[4],
                  halves[[2]]$n, halves[[2]]$e[1], halves[[2]]$e[2], halves[[2]]$e[3],
                  halves[[2]]$e[4]))
    }
  }
}

# Share of stones whose weight lies within the range the C++ code gave, by band of the estimate.
PrintCoverage <- function(estimates) {
  cat("\n90 % range: share of stones that weigh within it, in %; bands by the model's estimate\n")
  cat(sprintf("%-30s %-9s %8s %8s\n", "model", "band", "training", "reporting"))
  for (name in c("window", "measured_plain", "measured_table")) {
    inside <- estimates$carat >= estimates[[paste0(name, "_low")]] &
      estimates$carat <= estimates[[paste0(name, "_high")]]
    band <- cut(estimates[[name]], kBands, right = FALSE, labels = kBandNames)
    for (b in c("all", kBandNames)) {
      pick <- if (b == "all") TRUE else band == b
      share <- sapply(c("train", "report"),
                      function(h) 100 * mean(inside[pick & estimates$half == h]))
      cat(sprintf("%-30s %-9s %8.1f %8.1f\n", if (b == "all") kEstimators[[name]] else "", b,
                  share[[1]], share[[2]]))
    }
  }
}

# Plot data for gnuplot, reporting half only: the estimates against the weighed carats, and the
# error distributions as percentage histograms.
WritePlotData <- function(estimates, dir) {
  report <- estimates[estimates$half == "report", ]
  write.table(report[, c("carat", names(kEstimators))], file.path(dir, "scatter.dat"),
              row.names = FALSE, col.names = FALSE)
  breaks <- seq(-20, 20, by = 0.5)
  counts <- sapply(names(kEstimators), function(name) {
    error <- pmin(pmax(100 * (report[[name]] / report$carat - 1), -19.99), 19.99)
    100 * hist(error, breaks = breaks, plot = FALSE)$counts / nrow(report)
  })
  write.table(cbind(head(breaks, -1) + 0.25, counts), file.path(dir, "errors.dat"),
              row.names = FALSE, col.names = FALSE)
}

Report <- function(estimates_csv, plot_dir) {
  estimates <- read.csv(estimates_csv)
  PrintErrorTable(estimates)
  PrintCoverage(estimates)
  WritePlotData(estimates, plot_dir)
}

switch(args[[1]],
       stones = WriteStones(args[[2]], args[[3]]),
       fit = CheckCoefficients(args[[2]], args[[3]]),
       ranges = CheckRanges(args[[2]], args[[3]]),
       report = Report(args[[2]], args[[3]]),
       stop("unknown mode ", args[[1]]))
