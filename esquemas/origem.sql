-- The legacy system's tables that the converter reads (SQL dialect 3).
-- Every column may be NULL, as in the legacy databases.

CREATE TABLE RECDB001 (
  CODIGO     VARCHAR(20),
  DESCRICAO  VARCHAR(60)
);

CREATE TABLE RECDB004 (
  CODIGO        VARCHAR(20),
  PESSOA        VARCHAR(10),
  RAZAO_SOCIAL  VARCHAR(100),
  NOME_FANTASIA VARCHAR(100),
  CGC           VARCHAR(30),
  CPF           VARCHAR(30),
  CELULAR       VARCHAR(30),
  FONE          VARCHAR(30),
  FAX           VARCHAR(30),
  BLOQUEADO     VARCHAR(5),
  EMAIL         VARCHAR(100),
  CONTATO       VARCHAR(80),
  IE            VARCHAR(30),
  DT_CADASTRO   DATE,
  DT_NASC       DATE,
  ENDERECO      VARCHAR(100),
  BAIRRO        VARCHAR(60),
  UF            VARCHAR(10),
  CEP           VARCHAR(15),
  NUMEROCASA    VARCHAR(10),
  NOME_PAI      VARCHAR(80),
  NOME_MAE      VARCHAR(80),
  ESTADO_CIVIL  VARCHAR(50),
  OBS           VARCHAR(200),
  CIDADE        VARCHAR(60)
);

CREATE TABLE PAGDB003 (
  CODIGO        VARCHAR(20),
  RAZAO_SOCIAL  VARCHAR(100),
  NOME_FANTASIA VARCHAR(100),
  CGC           VARCHAR(30),
  IE            VARCHAR(30),
  ENDERECO      VARCHAR(100),
  BAIRRO        VARCHAR(60),
  CIDADE        VARCHAR(60),
  UF            VARCHAR(10),
  FONE          VARCHAR(30),
  FAX           VARCHAR(30),
  EMAIL         VARCHAR(100),
  OBS           VARCHAR(200),
  CONTATO       VARCHAR(80)
);
