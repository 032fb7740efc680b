<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="xml" omit-xml-declaration="yes"/>
  <xsl:template match="/KONTEN">
    <LIST count="{count(KONTO)}">
      <xsl:for-each select="KONTO">
        <ITEM nr="{NR}"><xsl:value-of select="NAME"/></ITEM>
      </xsl:for-each>
    </LIST>
  </xsl:template>
</xsl:stylesheet>
